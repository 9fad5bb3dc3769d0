program verschachtelt;
procedure aussen;
  procedure drehe_rechts;
  begin
    drehe_links; drehe_links; drehe_links;
  end;
  procedure ecke;
  begin
    drehe_rechts;
    if vorne_frei then vor;
  end;
begin
  repeat
    ecke;
  until not vorne_frei or feld_voll;
end;
begin
  aussen;
  if hat_vorrat and feld_leer then gib_ab else drehe_links;
end.
