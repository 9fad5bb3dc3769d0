{ Wrong on purpose: counts the steps of world 1 (six times vor) instead of asking
  vorne_frei, so it solves world 1 and fails worlds 2 and 3. }
program bis_zur_mauer;
begin
  vor;
  vor;
  vor;
  vor;
  vor;
  vor;
end.
