program beispiel;
procedure drehe_um;
begin
  drehe_links;
  drehe_links;
end;
begin
  while vorne_frei do
    vor;
  if feld_leer then
    drehe_um
  else
    begin
      nimm_auf;
      drehe_links;
    end;
end.
