// Programs that the benchmarks run: loops that never end by themselves, with compound conditions
// and procedures, so that a step limit decides how long they run.
#pragma once

namespace nibbo::bench {

// Along the walls for ever: a while whose body is an if with compound conditions.
inline const char* const kAlongTheWalls = R"(program rundgang;
begin
  while not feld_voll and (hat_vorrat or not hat_vorrat) do
  begin
    if vorne_frei and (not links_frei or rechts_frei or nordwaerts) then
      vor
    else
      drehe_links;
  end;
end.)";

// To and fro between the walls, taking and putting down food, with procedures and repeat.
inline const char* const kToAndFro = R"(program zickzack;
procedure dreh_um;
begin
  drehe_links; drehe_links;
end;
procedure bahn;
begin
  repeat
    if liegt_futter and not feld_voll then nimm_auf;
    if hat_vorrat and (feld_leer or (liegt_futter and not feld_voll)) then gib_ab;
    vor;
  until not vorne_frei or (feld_voll and hat_vorrat);
  dreh_um;
end;
begin
  while ostwaerts or westwaerts or (not nordwaerts and not suedwaerts) do
    bahn;
end.)";

} // namespace nibbo::bench
