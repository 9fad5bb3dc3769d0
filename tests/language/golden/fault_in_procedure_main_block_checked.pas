program p;
procedure q;
begin
  until;
end;
begin
  unbekannt;
end.
