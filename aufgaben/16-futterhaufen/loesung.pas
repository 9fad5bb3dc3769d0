{ Loesung: Nibbo geht bis zur Mauer und nimmt dann so lange Futter auf, wie welches daliegt. }
program futterhaufen;
begin
  while vorne_frei do
    vor;
  while liegt_futter do
    nimm_auf;
end.
