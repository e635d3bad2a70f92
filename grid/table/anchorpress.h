#pragma once

#include <optional>
#include <string_view>

#include "grid/table/gridgeometry.h"
#include "grid/table/openinbrowser.h"

namespace varnok {

class ShellService;

/**
 * The cell a target that holds "CELL://" (any case) names by the characters after it:
 * column letters (A is column 0, Z 25, AA 26) and the row number, as in "CELL://B12"
 * for column 1, row 12; a "/" may follow. Nothing for other targets and other names.
 */
[[nodiscard]] std::optional<GridCell> CellTargetOf(std::string_view target);

// What a press on an anchor comes to.
struct AnchorPress {
    bool Consumed = false;             // the press does nothing else (no selection)
    std::optional<GridCell> FocusCell; // the cell to move the focus to
    bool Refused = false;              // a target that is not opened; the user is told so
};

/**
 * True when a press on an anchor with `target` does something of its own: it names a cell
 * or is a web address that opens. Only such anchors show the hand pointer.
 */
[[nodiscard]] bool AnchorPressActs(std::string_view target);

/**
 * A left-button press on an anchor with `target` (as its tag writes it): an empty target
 * leaves the press to select as usual; a "CELL://" target names the cell to focus; any
 * other target is opened when it is a web address, and never otherwise.
 */
[[nodiscard]] AnchorPress PressAnchor(ShellService& shell, std::string_view target);

} // namespace varnok
