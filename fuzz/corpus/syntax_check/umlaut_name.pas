program p;
procedure drehüber;
begin end;
begin vor; end.
