{ nur ein Kommentar
  ueber zwei Zeilen }
// und noch einer
