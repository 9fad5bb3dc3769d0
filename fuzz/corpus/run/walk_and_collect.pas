program sammeln;
{ Nibbo läuft bis zur Mauer und sammelt unterwegs alles Futter ein }
procedure alles_nehmen;
begin
  while liegt_futter do
    nimm_auf;
end;
begin
  alles_nehmen;
  while vorne_frei do
  begin
    vor;
    alles_nehmen;
  end;
end.
