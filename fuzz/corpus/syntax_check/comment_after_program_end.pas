program p;
begin
  vor;
end. { fertig }
// noch ein Kommentar
