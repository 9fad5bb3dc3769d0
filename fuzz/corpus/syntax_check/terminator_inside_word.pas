program p;
begin
  if vorne_frei and undo then vor;
end.
