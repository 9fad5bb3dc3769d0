program bedingungen;
begin
  while (nordwaerts and rechts_frei) or (not(nordwaerts) and vorne_frei) do
  begin
    if not not links_frei then drehe_links;
    if westwaerts or suedwaerts and not ostwaerts then vor else
      if liegt_futter then nimm_auf;
  end;
  repeat
    if hat_vorrat and not feld_voll then gib_ab;
  until not hat_vorrat or feld_voll;
end.
