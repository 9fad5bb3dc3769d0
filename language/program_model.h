// The compiled form of a program: a table of procedures, each with one flat array of statement
// records in which every if, while and repeat is a single record pointing to its body, stored as a
// section of its own further down the same array. Rebuilt from scratch by every syntax check and
// read by the execution engine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nibbo {

// Tokens of a compiled condition.
enum TFunktion : uint8_t {
    f_null = 0,
    vorne_frei = 1,
    rechts_frei = 2,
    links_frei = 3,
    liegt_futter = 4,
    feld_leer = 5,
    feld_voll = 6,
    hat_vorrat = 7,
    nordwaerts = 8,
    westwaerts = 9,
    suedwaerts = 10,
    ostwaerts = 11,
    klammerL = 12,
    klammerR = 13,
    _and = 14,
    _or = 15,
    _not = 16,
    _true = 17,
    _false = 18,
    fufehler = 19,
};

constexpr bool IsSensor(TFunktion f) {
    return f >= vorne_frei && f <= ostwaerts;
}

// One compiled condition: its tokens in the order of the text (infix).
using TBooleexp = std::vector<TFunktion>;

// Symbol codes of the scanner's tokens; the same code is the kind of a statement record.
enum TSymbol : uint8_t {
    sym_none = 0,
    sym_program = 1,
    sym_procedure = 2,
    sym_semicolon = 3,
    sym_begin = 4,
    sym_end = 5,
    sym_if = 6,
    sym_then = 7,
    sym_else = 8,
    sym_while = 9,
    sym_do = 10,
    sym_repeat = 11,
    sym_until = 12,
    sym_end_dot = 13,
    sym_nimm_auf = 14,
    sym_gib_ab = 15,
    sym_vor = 16,
    sym_drehe_links = 17,
    sym_call = 18,
    sym_other = 19,
};

// One statement record. SelStart is the one-based position of the statement's text in the program
// text with two-character line breaks (0 for records without text of their own).
struct TAnweisung {
    TSymbol Kind = sym_none;
    int32_t Target = 0; // if/while/repeat: first index of the body section; call: procedure index
    TBooleexp Condition;
    int32_t SelStart = 0;
    int32_t SelLength = 0;

    friend bool operator==(const TAnweisung&, const TAnweisung&) = default;
};

struct TProc {
    int32_t Parent = 0; // index of the enclosing procedure; 0 for the program and its direct children
    std::string Name;   // lower case; empty when the header carried an invalid name
    std::vector<TAnweisung> Statements;

    friend bool operator==(const TProc&, const TProc&) = default;
};

// Entry 0 is the program itself, entries 1.. the procedures in the order of their headers.
using TProcTable = std::vector<TProc>;

} // namespace nibbo
