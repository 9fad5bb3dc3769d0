program futter_sammeln;
begin
  while not feld_voll do
  begin
    if vorne_frei then
      vor
    else
      drehe_links;
    if liegt_futter then
      nimm_auf;
  end;
end.
