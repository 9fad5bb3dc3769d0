program leer;
procedure nichts;
begin
end;
begin
  nichts;
  if vorne_frei then ;
  if feld_leer then else drehe_links;
  while feld_voll do ;
  repeat vor; end;
  begin begin vor; end; end;
end.
