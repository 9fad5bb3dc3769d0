{ Wrong on purpose: Nibbo looks for food before each step instead of after it, so the
  cell in front of the wall is never checked. Solves world 1 of 15-futterspur (nothing
  lies on its last cell) and fails worlds 2 and 3 (their last portion stays behind). }
program futterspur;
begin
  while vorne_frei do
    begin
      if liegt_futter
        then
          nimm_auf;
      vor;
    end;
end.
