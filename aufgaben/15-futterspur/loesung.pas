{ Loesung: Nibbo geht bis zur Mauer und schaut nach jedem Schritt, ob Futter daliegt. }
program futterspur;
begin
  while vorne_frei do
    begin
      vor;
      if liegt_futter
        then
          nimm_auf;
    end;
end.
