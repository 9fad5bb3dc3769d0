{ Loesung: die Prozedur stufe steigt eine Stufe hinauf, das Hauptprogramm ruft sie achtmal auf }
program grosse_treppe;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure stufe;
begin
  drehe_links;
  vor;
  drehe_rechts;
  vor;
  vor;
end;

begin
  stufe;
  stufe;
  stufe;
  stufe;
  stufe;
  stufe;
  stufe;
  stufe;
  nimm_auf;
end.
