program p;
procedure a;
begin
  vor
end;
begin a; end.
