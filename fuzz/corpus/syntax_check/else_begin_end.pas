program p;
begin
  if vorne_frei then vor else begin nimm_auf; gib_ab; end;
end.
