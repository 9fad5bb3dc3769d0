{ Loesung: Nibbo fuellt jedes Feld bis 9 Portionen, solange er Vorrat hat und der Gang weitergeht. }
program felder_fuellen;

procedure fuelle_feld;
begin
  while hat_vorrat and not(feld_voll) do
    gib_ab;
end;

begin
  fuelle_feld;
  while vorne_frei and hat_vorrat do
  begin
    vor;
    fuelle_feld;
  end;
end.
