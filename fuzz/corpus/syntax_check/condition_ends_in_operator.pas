program p;
begin
  if vorne_frei and then vor;
  if not then vor;
end.
