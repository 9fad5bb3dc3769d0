program p;
begin
  vor
end.
