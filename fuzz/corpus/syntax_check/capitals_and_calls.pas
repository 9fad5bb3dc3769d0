PROGRAM Test;
PROCEDURE Drehe_Um;
BEGIN
  Drehe_Links; DREHE_LINKS;
END;
Begin
  drehe_um;
  VOR;
End.
