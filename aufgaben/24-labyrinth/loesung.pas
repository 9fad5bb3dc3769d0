{ Loesung: Nibbo haelt sich mit der rechten Hand an der Mauer, bis er auf Futter steht,
  und nimmt dann das ganze Futter dieses Feldes auf. }
program labyrinth;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure schritt;
begin
  if not(rechts_frei) and not(vorne_frei) then
    drehe_links
  else
  begin
    if rechts_frei then
      drehe_rechts;
    vor;
  end;
end;

begin
  while feld_leer do
    schritt;
  while not(feld_leer) do
    nimm_auf;
end.
