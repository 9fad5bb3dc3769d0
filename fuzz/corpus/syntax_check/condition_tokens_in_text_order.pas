program p;
begin
  while (nordwaerts and rechts_frei) or not(hat_vorrat) do vor;
  if not not vorne_frei then vor;
  if vorne_freiand links_frei then vor;
  if RECHTS_FREI or NOT(Hat_Vorrat) then vor;
end.
