// Prints the dictionary that libFuzzer mutates program text with: every word of the language, from
// the table the scanner reads, and the marks the scanner treats on their own.
// Usage: fuzz_dictionary > FILE
#include "language/vocabulary.h"

#include <cstdio>
#include <string_view>

namespace {

// No words of the language, but where the scanner tells comments, lines and blanks apart.
constexpr std::string_view kMarks[] = {"{", "}", "(*", "*)", "//", "\r\n", "\t"};

void PrintEntry(std::string_view text) {
    std::putchar('"');
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 32 || byte > 126 || ch == '"' || ch == '\\')
            std::printf("\\x%02x", byte);
        else
            std::putchar(ch);
    }
    std::puts("\"");
}

} // namespace

int main() {
    std::puts("# Words of the taught language, for the fuzz targets that read program text.");
    for (const nibbo::VocabularyWord& word : nibbo::kVocabulary)
        PrintEntry(word.Text);
    for (const std::string_view mark : kMarks)
        PrintEntry(mark);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
