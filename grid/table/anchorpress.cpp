#include "grid/table/anchorpress.h"

#include <string>

#include "grid/markup/safeanchor.h"
#include "platform/asciicase.h"

namespace varnok {

namespace {

constexpr std::string_view kCellScheme = "CELL://";
// More letters or digits than these name no cell of any grid and would overflow.
constexpr std::size_t kMostColumnLetters = 3;
constexpr std::size_t kMostRowDigits = 9;

} // namespace

std::optional<GridCell> CellTargetOf(std::string_view target)
{
    const std::size_t scheme = FindIgnoringAsciiCase(target, kCellScheme);
    if (scheme == std::string_view::npos)
        return std::nullopt;
    std::string_view name = target.substr(scheme + kCellScheme.size());
    if (name.ends_with('/'))
        name.remove_suffix(1);
    int col = 0;
    std::size_t letters = 0;
    for (; letters < name.size(); ++letters) {
        const char letter = AsciiUpper(name[letters]);
        if (letter < 'A' || letter > 'Z')
            break;
        // Letters past the limit are only counted: a long run would overflow the column.
        if (letters < kMostColumnLetters)
            col = col * 26 + (letter - 'A' + 1);
    }
    const std::size_t digits = name.size() - letters;
    if (letters == 0 || letters > kMostColumnLetters || digits == 0 || digits > kMostRowDigits)
        return std::nullopt;
    int row = 0;
    for (const char c : name.substr(letters)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        row = row * 10 + (c - '0');
    }
    return GridCell{col - 1, row};
}

AnchorPress PressAnchor(ShellService& shell, std::string_view target)
{
    if (target.empty())
        return {};
    if (ContainsIgnoringAsciiCase(target, kCellScheme))
        return {true, CellTargetOf(target)};
    const bool refused = OpenAnchorTarget(shell, target) == OpenOutcome::Refused;
    return {true, std::nullopt, refused};
}

bool AnchorPressActs(std::string_view target)
{
    if (ContainsIgnoringAsciiCase(target, kCellScheme))
        return CellTargetOf(target).has_value();
    return !target.empty() && DesktopAddressOf(DecodeAnchorTarget(target)).has_value();
}

} // namespace varnok
