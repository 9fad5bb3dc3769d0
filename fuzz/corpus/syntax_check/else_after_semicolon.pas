program p;
begin
  if vorne_frei then vor; else drehe_links;
end.
