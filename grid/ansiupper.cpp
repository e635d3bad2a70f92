#include "grid/ansiupper.h"

#include <array>

namespace {

using CaseTable = std::array<unsigned char, 256>;

constexpr CaseTable makeUpperTable() {
    CaseTable table{};
    for (unsigned code = 0; code < 256; ++code) {
        unsigned upper = code;
        if ((code >= 'a' && code <= 'z') || (code >= 0xE0 && code <= 0xFE && code != 0xF7))
            upper = code - 0x20;
        table[code] = static_cast<unsigned char>(upper);
    }
    // Letters whose capitals the code page keeps in 0x80-0x9F.
    table[0x9A] = 0x8A; // s with caron
    table[0x9C] = 0x8C; // oe ligature
    table[0x9E] = 0x8E; // z with caron
    table[0xFF] = 0x9F; // y with diaeresis
    return table;
}

constexpr CaseTable kUpperTable = makeUpperTable();

} // namespace

char AnsiUpperChar(char c) {
    return static_cast<char>(kUpperTable[static_cast<unsigned char>(c)]);
}

void AnsiUpperCaseInPlace(std::string& text) {
    for (char& c : text)
        c = AnsiUpperChar(c);
}

void AnsiUpperCaseInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = AnsiUpperChar(text[i]);
}

std::string AnsiUpperCase(std::string_view text) {
    std::string result;
    AnsiUpperCaseInto(text, result);
    return result;
}
