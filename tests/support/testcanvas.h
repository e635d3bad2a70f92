#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/textcanvas.h"

namespace varnok {

// One call made on a TestCanvas, kept so tests can check what was drawn.
struct TestCanvasCall {
    enum CallKind { ckText, ckFill, ckLine, ckRun, ckFrame };
    CallKind Kind = ckText;
    TGridFont Font;   // ckText and ckRun
    TColor Color = 0; // text, fill or pen colour
    std::string Text; // ckText and ckRun, as given
    // ckLine: (x1, y1) as Left/Top, (x2, y2) as Right/Bottom; ckRun: the run's extent at
    // its drawing point; else the rectangle given.
    TextRect Rect;
    TPen Pen;                  // ckLine and ckFrame
    TextRect Clip;             // ckRun
    TextRunOptions RunOptions; // ckRun
    std::string Shown;         // ckRun: the characters shown after prefix processing
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
// - a text run is as wide as the characters it shows (after prefix processing and tab
//   expansion) and one line high;
// - 96 units per inch;
// - drawing only records the calls.
class TestCanvas final : public TextCanvas {
public:
    static constexpr int kUnitsPerInch = 96;

    [[nodiscard]] int UnitsPerInch() const override { return kUnitsPerInch; }
    [[nodiscard]] int MeasureWrappedHeight(const TGridFont& font, std::string_view text,
                                           int width) override;
    [[nodiscard]] TextExtent MeasureLine(const TGridFont& font, std::string_view text) override;
    void DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                         const TextRect& rect) override;
    [[nodiscard]] TextExtent MeasureTextRun(const TGridFont& font, std::string_view text,
                                            bool prefix) override;
    void DrawTextRun(const TGridFont& font, std::string_view text, const TextRunOptions& options,
                     int x, int y, const TextRect& clip) override;
    void FillRect(const TextRect& rect, TColor color) override;
    using TextCanvas::DrawLine;
    void DrawLine(int x1, int y1, int x2, int y2, const TPen& pen) override;
    void FrameRect(const TextRect& rect, const TPen& pen) override;

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

} // namespace varnok
