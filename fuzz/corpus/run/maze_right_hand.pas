program labyrinth;
procedure drehe_rechts;
begin
  drehe_links;
  drehe_links;
  drehe_links;
end;
begin
  repeat
    if rechts_frei then
    begin
      drehe_rechts;
      vor;
    end
    else if vorne_frei then
      vor
    else
      drehe_links;
  until liegt_futter;
  nimm_auf;
end.
