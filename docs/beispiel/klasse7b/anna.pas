program futter_sammeln;
{ Nibbo sammelt das Futter in seiner Reihe ein. }
begin
  while vorne_frei do
  begin
    vor;
    if liegt_futter then
      nimm_auf;
  end;
end.
