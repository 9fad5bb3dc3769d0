// Program files hold the editor's text as Windows-1252 bytes. Readers without an editor (the batch
// tool, for one) turn such a file into lines exactly as the editor loads it, so that line numbers
// and positions agree with what a pupil sees.
#pragma once

#include "language/scanner.h"

#include <string_view>

namespace nibbo {

// CR LF, a lone CR and a lone LF each end a line; a text that ends in a line break has no extra
// empty last line, and an empty text has no lines. Every byte is one character.
PackedLines PackProgramText(std::string_view bytes);

// The same lines, a string each.
SourceLines SplitProgramText(std::string_view bytes);

} // namespace nibbo
