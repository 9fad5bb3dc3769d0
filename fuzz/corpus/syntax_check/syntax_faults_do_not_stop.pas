program p;
begin
  then;
  do;
  procedure;
  program;
  unbekannt;
  vor;
end.
