program spirale;
procedure lege;
begin
  if hat_vorrat then
    if not feld_voll then gib_ab;
end;
begin
  while hat_vorrat do
  begin
    lege;
    if vorne_frei then vor else drehe_links;
    if not vorne_frei and not links_frei then drehe_links;
  end;
end.
