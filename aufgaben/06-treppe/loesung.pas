{ Loesung: jede Stufe heisst: nach oben schauen, hinauf, nach rechts schauen, auf die Stufe }
program treppe;
begin
  drehe_links;
  vor;
  drehe_links;
  drehe_links;
  drehe_links;
  vor;

  drehe_links;
  vor;
  drehe_links;
  drehe_links;
  drehe_links;
  vor;

  drehe_links;
  vor;
  drehe_links;
  drehe_links;
  drehe_links;
  vor;

  drehe_links;
  vor;
  drehe_links;
  drehe_links;
  drehe_links;
  vor;

  nimm_auf;
end.
