{ Wrong on purpose: instead of counting the steps with recursion, Nibbo walks back until
  he meets a wall. That only ends on his start cell when he started with his back to a wall:
  it solves welt-1 and fails welt-2, welt-3 and welt-4 of 25-hin-und-zurueck. }
program zurueck_bis_zur_mauer;

procedure umdrehen;
begin
  drehe_links;
  drehe_links;
end;

begin
  while vorne_frei do
    vor;
  umdrehen;
  while vorne_frei do
    vor;
end.
