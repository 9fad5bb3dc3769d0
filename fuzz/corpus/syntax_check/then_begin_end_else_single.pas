program p;
begin
  if vorne_frei then begin vor; end else drehe_links;
end.
