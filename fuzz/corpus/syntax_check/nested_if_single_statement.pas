program p;
begin
  if vorne_frei then if links_frei then vor;
end.
