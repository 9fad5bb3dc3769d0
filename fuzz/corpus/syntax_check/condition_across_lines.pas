program p;
begin
  if vorne_frei and
     links_frei then vor;
  repeat vor; until
    (nordwaerts or
     suedwaerts);
end.
