{ Loesung: Nibbo geht an der Mauer rechts von ihm entlang bis zur ersten Luecke,
  biegt dort nach rechts ab und geht durch die Tuer bis zur naechsten Mauer. }
program tuer_suchen;

procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;

begin
  while vorne_frei and not(rechts_frei) do
    vor;
  if rechts_frei then
  begin
    drehe_rechts;
    while vorne_frei do
      vor;
  end;
end.
