program p;
begin
  while vorne_frei do
  begin
    if liegt_futter then nimm_auf;
    vor;
  end;
  repeat
    while links_frei do drehe_links;
  until nordwaerts;
end.
