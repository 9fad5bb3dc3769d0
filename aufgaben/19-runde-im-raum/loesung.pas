{ Loesung: Nibbo legt auf jedes Feld eine Portion und dreht sich in den Ecken nach links.
  Sobald er auf ein Feld mit Futter kommt, ist er wieder am Start. }
program runde_im_raum;
begin
  repeat
    gib_ab;
    if not(vorne_frei)
      then
        drehe_links;
    vor;
  until liegt_futter;
end.
