program gegen_die_mauer;
begin
  repeat
    vor;
  until hat_vorrat;
end.
