program p;
procedure aussen;
  procedure innen;
  begin aussen; innen; end;
begin innen; end;
begin aussen; end.
