program p;
begin
  repeat vor; end;
end.
