{ Loesung: Nibbo geht, bis Futter unter ihm liegt oder eine Mauer vor ihm steht,
  und frisst dann das ganze Futter auf seinem Feld. }
program futter_oder_mauer;
begin
  while vorne_frei and feld_leer do
    vor;
  while not(feld_leer) do
    nimm_auf;
end.
