program p;
begin
  vor;
