program futter_sammeln;
begin
  while vorne_frei do
  begin
    vor;
    while liegt_futter do
      nimm_auf;
  end;
end.
