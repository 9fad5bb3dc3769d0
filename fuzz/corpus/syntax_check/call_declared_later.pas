program p;
procedure a;
begin b; vor; end;
procedure b;
begin vor; end;
begin a; end.
