program p; begin end.
