{ Loesung: Jeder Aufruf von hin_und_zurueck geht einen Schritt hin und nach der Rueckkehr
  des naechsten Aufrufs einen Schritt zurueck; so zaehlt die Rekursion die Schritte mit. }
program zurueck_zum_start;

procedure umdrehen;
begin
  drehe_links;
  drehe_links;
end;

procedure hin_und_zurueck;
begin
  if vorne_frei then
  begin
    vor;
    hin_und_zurueck;
    vor;
  end
  else
    umdrehen;
end;

begin
  hin_und_zurueck;
end.
