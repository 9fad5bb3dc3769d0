{ Loesung: vier Schritte nach Osten, links abbiegen, vier Schritte nach Norden, fressen }
program erstes_programm;
begin
  vor;
  vor;
  vor;
  vor;
  drehe_links;
  vor;
  vor;
  vor;
  vor;
  nimm_auf;
end.
