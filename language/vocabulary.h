// The words of the taught language in one table: the keywords, the four instructions, the eleven
// sensors and the operators of a condition, each with its code. The scanner, the condition compiler,
// the replay of recordings and hand control all read their words here, so that every word is spelt
// once and a reader cannot disagree with another about it.
#pragma once

#include "language/program_model.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace nibbo {

enum class WordKind : uint8_t {
    Keyword,     // frames a program, a procedure or a compound statement; ";" and "end." count too
    Instruction, // one of the figure's four actions, a statement of its own
    Sensor,      // what the figure senses: an operand of a condition
    Operator,    // "not", "and", "or" and the parentheses of a condition
};

struct VocabularyWord {
    std::string_view Text; // lower case, as the scanner delivers every token
    WordKind Kind;
    TSymbol Symbol = sym_none; // keywords and instructions: the scanner's code, the kind of a record
    TFunktion Token = f_null;  // sensors and operators: the token in a compiled condition
};

// Grouped by kind in the order of WordKind; the sensors in the order of their codes.
inline constexpr VocabularyWord kVocabulary[] = {
    {"program", WordKind::Keyword, sym_program},
    {"procedure", WordKind::Keyword, sym_procedure},
    {";", WordKind::Keyword, sym_semicolon},
    {"begin", WordKind::Keyword, sym_begin},
    {"end", WordKind::Keyword, sym_end},
    {"if", WordKind::Keyword, sym_if},
    {"then", WordKind::Keyword, sym_then},
    {"else", WordKind::Keyword, sym_else},
    {"while", WordKind::Keyword, sym_while},
    {"do", WordKind::Keyword, sym_do},
    {"repeat", WordKind::Keyword, sym_repeat},
    {"until", WordKind::Keyword, sym_until},
    {"end.", WordKind::Keyword, sym_end_dot},

    {"nimm_auf", WordKind::Instruction, sym_nimm_auf},
    {"gib_ab", WordKind::Instruction, sym_gib_ab},
    {"vor", WordKind::Instruction, sym_vor},
    {"drehe_links", WordKind::Instruction, sym_drehe_links},

    {"vorne_frei", WordKind::Sensor, sym_none, vorne_frei},
    {"rechts_frei", WordKind::Sensor, sym_none, rechts_frei},
    {"links_frei", WordKind::Sensor, sym_none, links_frei},
    {"liegt_futter", WordKind::Sensor, sym_none, liegt_futter},
    {"feld_leer", WordKind::Sensor, sym_none, feld_leer},
    {"feld_voll", WordKind::Sensor, sym_none, feld_voll},
    {"hat_vorrat", WordKind::Sensor, sym_none, hat_vorrat},
    {"nordwaerts", WordKind::Sensor, sym_none, nordwaerts},
    {"westwaerts", WordKind::Sensor, sym_none, westwaerts},
    {"suedwaerts", WordKind::Sensor, sym_none, suedwaerts},
    {"ostwaerts", WordKind::Sensor, sym_none, ostwaerts},

    {"not", WordKind::Operator, sym_none, _not},
    {"and", WordKind::Operator, sym_none, _and},
    {"or", WordKind::Operator, sym_none, _or},
    {"(", WordKind::Operator, sym_none, klammerL},
    {")", WordKind::Operator, sym_none, klammerR},
};

// The words of one kind, in table order. Meant for constant expressions: it searches the table.
constexpr std::span<const VocabularyWord> WordsOf(WordKind kind) {
    size_t first = 0;
    while (first < std::size(kVocabulary) && kVocabulary[first].Kind != kind)
        ++first;
    size_t last = first;
    while (last < std::size(kVocabulary) && kVocabulary[last].Kind == kind)
        ++last;
    return std::span(kVocabulary).subspan(first, last - first);
}

namespace vocabulary_detail {

// Spellings by code, filled from the table once, when compiling.
template <class Code, size_t Count, Code VocabularyWord::*Field>
constexpr std::array<std::string_view, Count> SpellingsBy() {
    std::array<std::string_view, Count> spellings{};
    for (const VocabularyWord& word : kVocabulary)
        if (size_t(word.*Field) != 0) spellings[size_t(word.*Field)] = word.Text;
    return spellings;
}

inline constexpr auto kBySymbol = SpellingsBy<TSymbol, sym_other + 1, &VocabularyWord::Symbol>();
inline constexpr auto kByToken = SpellingsBy<TFunktion, fufehler + 1, &VocabularyWord::Token>();

} // namespace vocabulary_detail

// How a keyword or an instruction is spelt; "" for the codes that are no word (sym_call, sym_other).
constexpr std::string_view Spelling(TSymbol symbol) {
    return size_t(symbol) < vocabulary_detail::kBySymbol.size() ? vocabulary_detail::kBySymbol[symbol]
                                                                : std::string_view();
}

// How a sensor or an operator is spelt; "" for the tokens that never stand in a text.
constexpr std::string_view Spelling(TFunktion token) {
    return size_t(token) < vocabulary_detail::kByToken.size() ? vocabulary_detail::kByToken[token]
                                                              : std::string_view();
}

// The keyword or instruction spelt `word`, or sym_other. Looked up for every token of a program:
// only the keywords and instructions, which stand first, are compared, a number of words known
// when compiling, so that the compiler can tell most words apart by their length alone.
constexpr TSymbol StatementSymbol(std::string_view word) {
    constexpr size_t kCount = WordsOf(WordKind::Keyword).size() + WordsOf(WordKind::Instruction).size();
    for (const VocabularyWord& entry : std::span(kVocabulary).first<kCount>())
        if (entry.Text == word) return entry.Symbol;
    return sym_other;
}

// The instruction spelt `word` (lower case), or sym_other: for readers that take nothing else.
constexpr TSymbol InstructionSymbol(std::string_view word) {
    constexpr std::span<const VocabularyWord> kInstructions = WordsOf(WordKind::Instruction);
    for (const VocabularyWord& entry : kInstructions)
        if (entry.Text == word) return entry.Symbol;
    return sym_other;
}

constexpr bool IsInstruction(TSymbol symbol) {
    constexpr std::span<const VocabularyWord> kInstructions = WordsOf(WordKind::Instruction);
    for (const VocabularyWord& entry : kInstructions)
        if (entry.Symbol == symbol) return true;
    return false;
}

// The table is what the lookups above take it to be: grouped by kind, every code spelt once, the
// sensors in the order of their codes, and nothing spelt twice.
static_assert([] {
    for (size_t i = 1; i < std::size(kVocabulary); ++i)
        if (kVocabulary[i].Kind < kVocabulary[i - 1].Kind) return false;
    for (size_t i = 0; i < std::size(kVocabulary); ++i)
        for (size_t k = 0; k < i; ++k)
            if (kVocabulary[i].Text == kVocabulary[k].Text) return false;
    for (const VocabularyWord& word : kVocabulary) {
        const bool statementWord = word.Kind == WordKind::Keyword || word.Kind == WordKind::Instruction;
        if (statementWord != (word.Symbol != sym_none) || statementWord != (word.Token == f_null))
            return false;
    }
    for (int symbol = sym_program; symbol < sym_call; ++symbol)
        if (Spelling(TSymbol(symbol)).empty()) return false;
    for (int token = vorne_frei; token <= _not; ++token)
        if (Spelling(TFunktion(token)).empty()) return false;
    for (size_t i = 0; i < WordsOf(WordKind::Sensor).size(); ++i)
        if (WordsOf(WordKind::Sensor)[i].Token != TFunktion(vorne_frei + i)) return false;
    return WordsOf(WordKind::Sensor).size() == ostwaerts && WordsOf(WordKind::Instruction).size() == 4;
}());

} // namespace nibbo
