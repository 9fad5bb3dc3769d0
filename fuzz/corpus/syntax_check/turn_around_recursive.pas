program rekursion;
procedure hin_und_zurueck;
begin
  if vorne_frei then
  begin
    vor;
    hin_und_zurueck;
    vor;
  end
  else
  begin
    drehe_links;
    drehe_links;
  end;
end;
begin
  hin_und_zurueck;
end.
