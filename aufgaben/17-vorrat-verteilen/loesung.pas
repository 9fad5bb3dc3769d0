{ Loesung: Solange Nibbo Futter im Vorrat hat, legt er eine Portion ab und geht einen Schritt weiter. }
program vorrat_verteilen;
begin
  while hat_vorrat do
    begin
      gib_ab;
      vor;
    end;
end.
