program p;
begin
  if vorne_frei then
    if links_frei then vor else drehe_links
  else
    repeat nimm_auf; until feld_leer;
  gib_ab;
end.
