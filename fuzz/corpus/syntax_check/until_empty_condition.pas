program p;
begin
  repeat vor; until ;
  vor;
end.
