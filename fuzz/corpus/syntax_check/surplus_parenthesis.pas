program p;
begin
  while vorne_frei) do vor;
end.
