program p;
begin
  if vorne_frei then else vor;
  if feld_leer then begin end;
  while hat_vorrat do ;
  while feld_voll do begin end;
end.
