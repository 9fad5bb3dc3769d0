{ Loesung: Nach jedem Schritt schaut Nibbo nach, ob auf seinem Feld Futter liegt. }
program futter_pruefen;

procedure schritt;
begin
  vor;
  if liegt_futter
    then
      nimm_auf;
end;

procedure drei_schritte;
begin
  schritt;
  schritt;
  schritt;
end;

begin
  drei_schritte;
  drei_schritte;
  drei_schritte;
end.
