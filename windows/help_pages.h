// The help window's pages without a toolkit: the caption of each tab, the file its text is built
// from (in resources/help/, UTF-8, its heading line first), and whether the page takes input.
// Every front end builds its help window from this table.
#pragma once

#include <array>

namespace nibbo {

inline constexpr const char* kHelpCaption = "Nibbo Hilfe";
inline constexpr int kHelpPageCount = 8;
inline constexpr int kHelpClientWidth = 611;
inline constexpr int kHelpClientHeight = 685;
inline constexpr int kHelpDesignLeft = 389;
inline constexpr int kHelpDesignTop = 5;

// The pages' text: 13 pixels high, 8 pixels from the page's edges, with tab stops wide enough
// for the longest sensor name and a gap, for the two columns of the sensor table.
inline constexpr int kHelpFontSize = 13;
inline constexpr int kHelpMargin = 8;
inline constexpr const char* kHelpTabStopText = "liegt_futter";
inline constexpr int kHelpTabStopGap = 24;

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
