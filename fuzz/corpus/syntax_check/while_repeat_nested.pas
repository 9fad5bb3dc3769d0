program p;
begin
  while vorne_frei do repeat vor; until links_frei;
end.
