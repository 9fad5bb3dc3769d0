{ Loesung: fuenf Portionen aufnehmen, zum anderen Lager gehen, alle fuenf abgeben }
program futterlager;
begin
  nimm_auf;
  nimm_auf;
  nimm_auf;
  nimm_auf;
  nimm_auf;
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
  { rechts abbiegen, in den Gang nach unten }
  drehe_links;
  drehe_links;
  drehe_links;
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
  { links abbiegen, zum Lager }
  drehe_links;
  vor;
  vor;
  vor;
  gib_ab;
  gib_ab;
  gib_ab;
  gib_ab;
  gib_ab;
end.
