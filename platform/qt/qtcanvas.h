#pragma once

#include <QPalette>
#include <QString>

#include <memory>
#include <vector>

#include "platform/textcanvas.h"

class QFont;
class QPainter;

// TextCanvas on Qt: texts are decoded as Windows-1252, fonts are sized in pixels, system
// colours come from a palette. Without a painter the canvas only measures (row sizing).
//
// Wrapping follows the grid's own rules, the same for measuring and drawing: CR LF, CR
// and LF end a line, a TAB advances to the next multiple of 8 characters, lines break
// only at blanks (the blanks at a break vanish), and a word wider than the width keeps a
// line of its own and is clipped. A text's width is the sum of its characters' advances
// in the font, so sizing tens of thousands of rows never runs the text shaper. Lines of
// text are QFontMetrics::lineSpacing() apart; lines are drawn with both end points.
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

    [[nodiscard]] int MeasureWrappedHeight(const TGridFont& font, std::string_view text,
                                           int width) override;
    [[nodiscard]] TextExtent MeasureLine(const TGridFont& font, std::string_view text) override;
    void DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                         const TextRect& rect) override;
    void FillRect(const TextRect& rect, TColor color) override;
    void DrawLine(int x1, int y1, int x2, int y2, TColor color) override;

    /** The QFont a grid font stands for: family, pixel size = Height, style flags. */
    [[nodiscard]] static QFont ToQFont(const TGridFont& font);

private:
    class FontEntry;

    FontEntry& entryFor(const TGridFont& font);
    void selectFont(const FontEntry& entry);

    QPainter* m_painter = nullptr;
    QPalette m_palette;
    // A grid paints with two fonts; a short list with the last hit first beats any map.
    std::vector<std::unique_ptr<FontEntry>> m_fonts;
    FontEntry* m_last = nullptr;
    const FontEntry* m_painterFont = nullptr;
};
