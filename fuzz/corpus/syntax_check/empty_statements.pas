program p;
begin
  ;;
  vor;;
  ; drehe_links;
end.
