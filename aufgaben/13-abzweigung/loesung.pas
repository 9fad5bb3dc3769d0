{ Loesung: Am Ende des Gangs fragt Nibbo, ob links frei ist, und biegt dorthin ab;
  sonst biegt er nach rechts ab. }
program abzweigung;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure drei_schritte;
begin
  vor;
  vor;
  vor;
end;

begin
  drei_schritte;
  drei_schritte;
  if links_frei
    then
      drehe_links
    else
      drehe_rechts;
  drei_schritte;
  vor;
  nimm_auf;
end.
