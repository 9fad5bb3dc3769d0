program p;
begin
  if vorne_frei then
    end
  else
    unbekannt;
  unbekannt;
end.
