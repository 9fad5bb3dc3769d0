program p;
begin begin vor; end.
