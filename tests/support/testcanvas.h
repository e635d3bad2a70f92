#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/textcanvas.h"

// One call made on a TestCanvas, kept so tests can check what was drawn.
struct TestCanvasCall {
    enum CallKind { ckText, ckFill, ckLine };
    CallKind Kind = ckText;
    TGridFont Font; // ckText only
    TColor Color = 0;
    std::string Text; // ckText only
    TextRect Rect;    // ckLine: (x1, y1) as Left/Top, (x2, y2) as Right/Bottom
};

// A canvas with fixed, font-independent metrics so sizes in tests never depend on the
// installed fonts:
// - every character (byte) is ceil(Height / 2) pixels wide: 6 for height 11, 7 for 13;
//   bold, italic and the face name change nothing;
// - a line is Height + 2 pixels high: 13 for height 11, 15 for 13;
// - CR, LF and CR LF each end a line; a text of n line breaks has n + 1 lines, the empty
//   text none (height 0);
// - a TAB advances to the next multiple of 8 characters of its line (expanded before
//   wrapping);
// - lines wrap at blanks: a word goes to a new line when the line with it would be wider
//   than the width; the blanks at the break vanish; a word wider than the width alone
//   keeps its own line unbroken;
// - drawing only records the calls.
class TestCanvas final : public TextCanvas {
public:
    [[nodiscard]] int MeasureWrappedHeight(const TGridFont& font, std::string_view text,
                                           int width) override;
    [[nodiscard]] TextExtent MeasureLine(const TGridFont& font, std::string_view text) override;
    void DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                         const TextRect& rect) override;
    void FillRect(const TextRect& rect, TColor color) override;
    void DrawLine(int x1, int y1, int x2, int y2, TColor color) override;

    /** The lines `text` is broken into at `width` pixels, tabs expanded. */
    [[nodiscard]] static std::vector<std::string> WrapLines(const TGridFont& font,
                                                            std::string_view text, int width);
    [[nodiscard]] static int CharWidth(const TGridFont& font);
    [[nodiscard]] static int LineHeight(const TGridFont& font);

    [[nodiscard]] const std::vector<TestCanvasCall>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

private:
    std::vector<TestCanvasCall> m_calls;
};
