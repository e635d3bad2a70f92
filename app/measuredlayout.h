#pragma once

namespace varnok {

// Places and widths of the window and its boxes that depend on how wide texts come out in
// the fonts at hand. The texts are measured by the caller; the rules here are plain
// arithmetic.

class TextCanvas;
struct TGridFont;

/** The visit time every row shows, at its widest: what the visit column must fit. */
inline constexpr const char* kWidestVisitTime = "00/00/0000 00:00:00";

/** The width a column needs to show a visit time in `font` on one line: the text and the
 * cell's text margins. */
[[nodiscard]] int VisitTimeColumnWidth(TextCanvas& canvas, const TGridFont& font);

// The labels right of the OK button: the lines caption, the count, and the size caption
// with the index size below it. Each keeps its design place unless the text before it
// needs more room, so the largest counts and the captions never touch.
inline constexpr const char* kWidestLineCount = "999999";
inline constexpr int kLabelGap = 4;

struct CountLabelWidths {
    int LinesCaption = 0; // "Number of lines: "
    int LineCount = 0;    // kWidestLineCount
};

struct CountLabelPlaces {
    int LinesCaption = 436; // Label6
    int LineCount = 520;    // Label7
    int IndexSize = 566;    // Label5 and, below it, Label4
};

[[nodiscard]] CountLabelPlaces CountLabelPlacesFor(const CountLabelWidths& widths);

// An input box of start-up shows its whole caption (beside the window manager's icon and
// buttons), its prompt, and a path field that shows the path given in full with room to
// type on, at least kComfortableFieldCharacters wide; never wider than the screen area.
inline constexpr int kComfortableFieldCharacters = 64;
inline constexpr int kTitleBarAllowance = 120;
inline constexpr int kFieldRoomToType = 40;
inline constexpr int kDialogMargins = 24;

struct InputBoxTextWidths {
    int Caption = 0;
    int Prompt = 0;
    int Path = 0;
    int AverageCharacter = 0;
};

/** Width of the input box; `availableWidth` is the screen area's width (0: not known). */
[[nodiscard]] int InputBoxWidthFor(const InputBoxTextWidths& widths, int availableWidth);

} // namespace varnok
