program p;
begin
  p;
end.
