#include "program_dump.h"

#include "language/vocabulary.h"

#include <sstream>

namespace nibbo::testing {

namespace {

const char* const kKindNames[] = {
    "sym_none",   "sym_program", "sym_procedure",   "sym_semicolon", "sym_begin",
    "sym_end",    "sym_if",      "sym_then",        "sym_else",      "sym_while",
    "sym_do",     "sym_repeat",  "sym_until",       "sym_end_dot",   "sym_nimm_auf",
    "sym_gib_ab", "sym_vor",     "sym_drehe_links", "sym_call",      "sym_other",
};

} // namespace

std::string TokenName(TFunktion token) {
    if (!Spelling(token).empty()) return std::string(Spelling(token));
    switch (token) {
    case _true:
        return "_true";
    case _false:
        return "_false";
    case fufehler:
        return "fufehler";
    case f_null:
        return "f_null";
    default:
        return std::to_string(int(token));
    }
}

std::string DumpProgram(const TProcTable& table) {
    std::ostringstream out;
    for (size_t p = 0; p < table.size(); ++p) {
        const TProc& proc = table[p];
        out << "procedure " << p << ' ' << (proc.Name.empty() ? "-" : proc.Name) << " parent " << proc.Parent
            << '\n';
        for (size_t i = 0; i < proc.Statements.size(); ++i) {
            const TAnweisung& r = proc.Statements[i];
            out << "  " << i << ' ';
            if (r.Kind < std::size(kKindNames))
                out << kKindNames[r.Kind];
            else
                out << "sym_" << int(r.Kind);
            out << ' ' << r.Target << ' ' << r.SelStart << ' ' << r.SelLength;
            if (!r.Condition.empty()) {
                out << " :";
                for (TFunktion token : r.Condition)
                    out << ' ' << TokenName(token);
            }
            out << '\n';
        }
    }
    return out.str();
}

} // namespace nibbo::testing
