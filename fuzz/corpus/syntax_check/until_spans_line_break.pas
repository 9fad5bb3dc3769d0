program p;
begin
  repeat
    vor;
  until
    vorne_frei
  ;
end.
