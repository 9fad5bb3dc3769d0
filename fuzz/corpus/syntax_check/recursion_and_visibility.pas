program p;
procedure a;
  procedure b;
  begin vor; end;
  procedure c;
    procedure d;
    begin b; end;
  begin b; d; c; end;
begin b; c; a; end;
procedure e;
begin a; c; d; end;
begin a; b; c; d; e; end.
