program p;
begin
  vor;
  if vorne_frei and
  (links_frei then vor;
end.
