program p;
begin
  until links_frei;
  vor;
end.
