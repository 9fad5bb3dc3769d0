program futter_sammeln;
begin
  repeat
    vor;
    while liegt_futter do
      nimm_auf;
  until feld_voll;
end.
