{ Loesung: Nibbo dreht sich, bis er nach Norden schaut, dann geht er bis zur Mauer. }
program nach_norden;
begin
  while not(nordwaerts) do
    drehe_links;
  while vorne_frei do
    vor;
end.
