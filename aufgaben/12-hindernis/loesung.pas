{ Loesung: An jeder der beiden Stellen geht Nibbo geradeaus, wenn vorne frei ist,
  sonst nimmt er den Umweg oben um den Stein herum. }
program hindernis;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

procedure vier_schritte;
begin
  vor;
  vor;
  vor;
  vor;
end;

procedure umweg;
begin
  drehe_links;
  vor;
  drehe_rechts;
  vor;
  vor;
  drehe_rechts;
  vor;
  drehe_links;
end;

procedure an_der_stelle_vorbei;
begin
  if vorne_frei
    then
      begin
        vor;
        vor;
      end
    else
      umweg;
end;

begin
  vier_schritte;
  an_der_stelle_vorbei;
  vier_schritte;
  an_der_stelle_vorbei;
  vier_schritte;
  nimm_auf;
end.
