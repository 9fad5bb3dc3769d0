program p; { Kopf }
(* ein
   Kommentar *) begin
	vor; // Schritt { kein Kommentaranfang
	{ a // b } drehe_links; (* b { c *) nimm_auf; (*) gib_ab; (**) vor;
  // end.
end. { Schluss }
