program 1test;
procedure dreh-um;
begin end;
procedure _gut2;
begin end;
begin _gut2; end.
