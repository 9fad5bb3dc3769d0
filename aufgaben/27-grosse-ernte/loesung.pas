{ Loesung: Nibbo erntet Reihe fuer Reihe und geht dabei in Schlangenlinien nach Sueden,
  bis unter der Reihe, die er gerade geerntet hat, keine weitere mehr liegt. }
program grosse_ernte;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure ernte_feld;
begin
  while not(feld_leer) do
    nimm_auf;
end;

procedure ernte_reihe;
begin
  ernte_feld;
  while vorne_frei do
  begin
    vor;
    ernte_feld;
  end;
end;

begin
  ernte_reihe;
  while (ostwaerts and rechts_frei) or (westwaerts and links_frei) do
  begin
    if ostwaerts then
    begin
      drehe_rechts;
      vor;
      drehe_rechts;
    end
    else
    begin
      drehe_links;
      vor;
      drehe_links;
    end;
    ernte_reihe;
  end;
end.
