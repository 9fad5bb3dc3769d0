program p;
begin
  if then vor;
end.
