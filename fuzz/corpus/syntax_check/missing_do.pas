program p;
begin
  while vorne_frei vor;
  vor;
end.
