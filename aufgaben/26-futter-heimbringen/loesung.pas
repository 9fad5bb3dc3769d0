{ Loesung: wie bei "Hin und zurueck", nur nimmt Nibbo an der Mauer das Futter auf
  und legt es auf seinem Startfeld ab. }
program futter_heimbringen;

procedure umdrehen;
begin
  drehe_links;
  drehe_links;
end;

procedure hole_futter;
begin
  if vorne_frei then
  begin
    vor;
    hole_futter;
    vor;
  end
  else
  begin
    while not(feld_leer) do
      nimm_auf;
    umdrehen;
  end;
end;

begin
  hole_futter;
  while hat_vorrat do
    gib_ab;
end.
