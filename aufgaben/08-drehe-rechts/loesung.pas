{ Loesung: mit drehe_rechts und umdrehen in jede Kammer und wieder heraus }
program drei_kammern;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure umdrehen;
begin
  drehe_links;
  drehe_links;
end;

begin
  vor;
  vor;
  vor;
  { in die erste Kammer und zurueck in den Flur }
  drehe_rechts;
  vor;
  vor;
  vor;
  nimm_auf;
  umdrehen;
  vor;
  vor;
  vor;
  drehe_rechts;

  vor;
  vor;
  vor;
  vor;
  { die zweite Kammer }
  drehe_rechts;
  vor;
  vor;
  vor;
  nimm_auf;
  umdrehen;
  vor;
  vor;
  vor;
  drehe_rechts;

  vor;
  vor;
  vor;
  vor;
  { die dritte Kammer }
  drehe_rechts;
  vor;
  vor;
  vor;
  nimm_auf;
  umdrehen;
  vor;
  vor;
  vor;
  drehe_rechts;

  { bis zum Ende des Flurs }
  vor;
  vor;
end.
