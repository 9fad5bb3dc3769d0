program bis_zur_mauer;
begin
  while vorne_frei do
    vor;
end.
