// The help window's pages without a toolkit: the caption of each tab, the file its text is built
// from (in resources/help/, UTF-8, its heading line first), and whether the page takes input.
// Every front end builds its help window from this table.
#pragma once

#include <array>

namespace nibbo {

inline constexpr int kHelpPageCount = 8;
inline constexpr int kHelpClientWidth = 611;
inline constexpr int kHelpClientHeight = 685;
inline constexpr int kHelpDesignLeft = 389;
inline constexpr int kHelpDesignTop = 5;

struct HelpPage {
    const char* Caption;
    const char* ObjectName;
    const char* File;
    bool Enabled; // takes input: selection and editing
};

inline constexpr std::array<HelpPage, kHelpPageCount> kHelpPages{{
    {"Über Nibbo", "UeberNibboEdit", "ueber_nibbo.txt", false},
    {"Nibbos Welt", "WeltRichEdit", "welt.txt", false},
    {"Aufzeichnen", "AufzeichnungRichEdit", "aufzeichnen.txt", true},
    {"grundlegende Syntax", "SyntaxRichEdit", "syntax.txt", false},
    {"Proceduren", "ProcedurenRichEdit", "proceduren.txt", false},
    {"Sensoren", "SensorenRichEdit", "sensoren.txt", false},
    {"Entscheidungen", "EntscheidungenRichEdit", "entscheidungen.txt", false},
    {"Schleifen", "SchleifenRichEdit", "schleifen.txt", false},
}};

} // namespace nibbo
