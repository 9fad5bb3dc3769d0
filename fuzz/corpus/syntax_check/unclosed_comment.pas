program p;
begin
  vor; { offen
  drehe_links;
end.
