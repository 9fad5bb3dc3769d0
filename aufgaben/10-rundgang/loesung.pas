{ Loesung: an jeder Ecke fressen und rechts abbiegen, dann die Seite entlang bis zur naechsten Ecke }
program rundgang;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure seite;
begin
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
end;

procedure ecke;
begin
  nimm_auf;
  drehe_rechts;
end;

begin
  vor;
  ecke;
  seite;
  ecke;
  seite;
  ecke;
  seite;
  ecke;
  seite;
end.
