{ Loesung: nach rechts drehen heisst dreimal nach links drehen }
program rechtsherum;
begin
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
  { rechts abbiegen }
  drehe_links;
  drehe_links;
  drehe_links;
  vor;
  vor;
  vor;
  vor;
  vor;
  { noch einmal rechts abbiegen }
  drehe_links;
  drehe_links;
  drehe_links;
  vor;
  vor;
  vor;
  vor;
  nimm_auf;
end.
