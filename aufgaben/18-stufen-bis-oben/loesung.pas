{ Loesung: Nibbo steigt Stufe um Stufe, bis vor ihm keine Stufe mehr ist. }
program stufen_bis_oben;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure stufe_hoch;
begin
  drehe_links;
  vor;
  drehe_rechts;
  vor;
  vor;
end;

begin
  repeat
    stufe_hoch;
  until vorne_frei;
  nimm_auf;
end.
