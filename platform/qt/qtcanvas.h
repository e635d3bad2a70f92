#pragma once

#include <QPalette>
#include <QString>

#include <memory>
#include <vector>

#include "platform/textcanvas.h"

class QFont;
class QPainter;

namespace varnok {

// TextCanvas on Qt: texts are decoded as Windows-1252, fonts are sized in pixels, system
// colours come from a palette. Without a painter the canvas only measures (row sizing).
//
// Wrapping follows the grid's own rules, the same for measuring and drawing: CR LF, CR
// and LF end a line, a TAB advances to the next multiple of 8 characters, lines break
// only at blanks (the blanks at a break vanish), and a word wider than the width keeps a
// line of its own and is clipped. A text's width is the sum of its characters' advances
// in the font, so sizing tens of thousands of rows never runs the text shaper. Lines of
// text are QFontMetrics::lineSpacing() apart; lines are drawn with both end points.
//
// Font heights are pixel sizes in the painter's logical units, so a canvas over a painter
// that maps its units (tenths of a millimetre on paper) gets fonts of the mapped size;
// such a canvas is told its units per inch with SetUnitsPerInch.
class QtCanvas final : public TextCanvas {
public:
    /** A measuring canvas with the application's palette and screen metrics. */
    QtCanvas();
    /** A canvas that draws on `painter` (which must outlive it), with system colours from
     * `palette`. */
    QtCanvas(QPainter& painter, const QPalette& palette);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    [[nodiscard]] int UnitsPerInch() const override { return m_unitsPerInch; }
    /** Units per inch of a painter whose coordinates are mapped (the device's by default). */
    void SetUnitsPerInch(int unitsPerInch);

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

    /** The QFont a grid font stands for: family, pixel size = Height, style flags. */
    [[nodiscard]] static QFont ToQFont(const TGridFont& font);

private:
    class FontEntry;

    FontEntry& entryFor(const TGridFont& font);
    void selectFont(const FontEntry& entry);
    void selectPen(const TPen& pen);
    void setClip(const TextRect& clip);
    void dropClip();
    void drawUnderlines(FontEntry& entry, std::string_view shown,
                        const std::vector<std::size_t>& positions, int x, int y, const QColor& ink);

    QPainter* m_painter = nullptr;
    QPalette m_palette;
    int m_unitsPerInch = 96;
    // A grid paints with two fonts; a short list with the last hit first beats any map.
    std::vector<std::unique_ptr<FontEntry>> m_fonts;
    FontEntry* m_last = nullptr;
    const FontEntry* m_painterFont = nullptr;
};

} // namespace varnok
