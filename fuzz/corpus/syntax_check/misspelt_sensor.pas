program p;
begin
  if vorne_frie then vor;
end.
