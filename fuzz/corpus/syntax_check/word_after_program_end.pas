program p;
begin
  vor;
end.
vor;
