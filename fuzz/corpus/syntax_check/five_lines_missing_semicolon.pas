program test;
begin
  vor
  drehe_links;
end.
