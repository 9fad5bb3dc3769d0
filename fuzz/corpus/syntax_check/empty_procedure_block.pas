program p;
procedure leer;
begin
end;
begin
  leer;
end.
