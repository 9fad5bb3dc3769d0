program p;
procedure vor;
begin drehe_links; end;
procedure vorne_frei;
begin nimm_auf; end;
procedure begin;
begin gib_ab; end;
begin
  vor;
  vorne_frei;
  if vorne_frei then vorne_frei;
end.
