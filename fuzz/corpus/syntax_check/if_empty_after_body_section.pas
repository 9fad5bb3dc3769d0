program p;
begin
  vor; vor; vor;
  while vorne_frei do vor;
  if feld_leer then ;
  repeat drehe_links; until westwaerts;
  if feld_voll then ;
end.
