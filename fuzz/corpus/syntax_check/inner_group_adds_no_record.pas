program p;
begin vor; begin drehe_links; end; vor; end.
