{ Absichtlich falsch: Nibbo geht genau sechs Schritte, so viele wie in Welt 1,
  statt zu fragen, ob vor ihm frei ist. Das klappt nur in Welt 1. }
program abgezaehlt; begin vor; vor; vor; vor; vor; vor; end.
