#include "platform/asciicase.h"

#include <algorithm>

namespace varnok {

namespace {

bool sameLetter(char a, char b)
{
    return AsciiLower(a) == AsciiLower(b);
}

} // namespace

std::string AsciiLowered(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
    return lowered;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameLetter);
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view needle)
{
    return FindIgnoringAsciiCase(text, needle) != std::string_view::npos;
}

std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view needle)
{
    const auto found =
        std::search(text.begin(), text.end(), needle.begin(), needle.end(), sameLetter);
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

} // namespace varnok
