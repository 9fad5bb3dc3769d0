program endlos;
procedure immer_weiter;
begin
  drehe_links;
  immer_weiter;
end;
begin
  immer_weiter;
end.
