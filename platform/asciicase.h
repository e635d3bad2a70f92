#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnok {

// Letter case of ASCII only. Every name the program matches without regard to case (switches,
// "index.dat" and "Content.IE5", settings sections and keys, tags, address schemes) is ASCII,
// and a byte outside ASCII is no letter here whatever the locale says: the same bytes always
// match the same way.

/** `c` with an ASCII capital made small; every other byte as it is. */
[[nodiscard]] constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/** `c` with a small ASCII letter made a capital; every other byte as it is. */
[[nodiscard]] constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/** `text` with its ASCII capitals made small. */
[[nodiscard]] std::string AsciiLowered(std::string_view text);

/** True when `a` and `b` differ at most in the case of ASCII letters. */
[[nodiscard]] bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

/** True when `text` begins with `prefix`, ASCII letter case aside. */
[[nodiscard]] bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

/** Where `needle` first occurs in `text`, ASCII letter case aside; npos when it does not. */
[[nodiscard]] std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view needle);

/** True when `needle` occurs in `text`, ASCII letter case aside. */
[[nodiscard]] bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view needle);

} // namespace varnok
