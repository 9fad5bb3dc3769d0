program p;
procedure a;
  procedure x;
  begin vor; end;
begin x; end;
procedure b;
  procedure x;
  begin drehe_links; end;
begin x; end;
begin x; a; b; end.
