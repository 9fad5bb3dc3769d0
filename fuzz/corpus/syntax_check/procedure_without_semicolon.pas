program p;
procedure a;
begin end
begin a; end.
