#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPalette>
#include <QString>

#include <memory>
#include <vector>

#include "platform/textcanvas.h"

class QPainter;

// TextCanvas on Qt: texts are decoded as Windows-1252, fonts are sized in pixels, system
// colours come from a palette. Without a painter the canvas only measures (row sizing).
// Lines are drawn with both end points included. A line of text is as high as Qt's text
// layout makes it (the font's ascent plus descent, rounded up).
class QtCanvas final : public TextCanvas {
public:
    /** A measuring canvas with the application's palette and screen metrics. */
    QtCanvas();
    /** A canvas that draws on `painter` (which must outlive it), with system colours from `palette`. */
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
    struct FontEntry;

    const FontEntry& entryFor(const TGridFont& font);
    void selectFont(const FontEntry& entry);

    QPainter* m_painter = nullptr;
    QPalette m_palette;
    // A grid paints with two fonts; a short list with the last hit first beats any map.
    std::vector<std::unique_ptr<FontEntry>> m_fonts;
    const FontEntry* m_last = nullptr;
    const FontEntry* m_painterFont = nullptr;
};
