#pragma once

#include <optional>
#include <string>

#include "grid/search/findparameters.h"

namespace varnok {

class TResultGrid;

/** The text to find and the options chosen in the find dialog. */
struct FindRequest {
    std::string Text; // Windows-1252 bytes, exactly as typed
    TFindParameters Options;
};

// What the Find and Find next commands need from the window: the dialog, the moves of the
// grid's focus and the message box.
class FindCommandHost {
public:
    virtual ~FindCommandHost() = default;
    /** Shows a fresh find dialog; the request when it was closed with OK, else nothing. */
    [[nodiscard]] virtual std::optional<FindRequest> AskFindRequest() = 0;
    /** Makes `col` the current column: that cell becomes current, alone selected and in view. */
    virtual void SetCol(int col) = 0;
    /** Makes `row` the current row in the same way. */
    virtual void SetRow(int row) = 0;
    /** A message with the program's title as caption and one OK button. */
    virtual void ShowMessage(const std::string& text) = 0;
    /** Invalid input: caption "ERROR", error icon, one OK button. */
    virtual void ShowError(const std::string& text) = 0;
};

/** What a search that found nothing reports. */
inline constexpr const char* kTextNotFoundMessage =
    ".                     Text not found                      .";

/**
 * Find: asks for a text and options, searches from the first cell, goes to the match. A
 * condition ("Regular expressions") too long to search is refused with an error box, and
 * the last search stays as it was.
 */
void RunFindCommand(TResultGrid& grid, FindCommandHost& host);

/** Find next: goes on with the last search after the cell it found last. */
void RunFindNextCommand(TResultGrid& grid, FindCommandHost& host);

} // namespace varnok
