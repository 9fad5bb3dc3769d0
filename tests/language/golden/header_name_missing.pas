program ;
begin
  vor;
end.
