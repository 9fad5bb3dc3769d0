program p;
vor;
end.
