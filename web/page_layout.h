// The window's tables for the page's script, as one JSON document: the places, texts and names of
// the controls, the menu bar, the buttons, the pictures as shapes, the help pages and the info
// window. The script builds the page from it and writes none of it itself.
#pragma once

#include <string>

namespace nibbo {

// The help pages' texts are read from this folder of the module's file system.
inline constexpr const char* kHelpFolder = "/help";

std::string PageLayoutJson();

} // namespace nibbo
