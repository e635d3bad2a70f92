#include "platform/qt/qtcanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtcolor.h"
#include "platform/qt/qtfontstyle.h"
#include "platform/runtext.h"

namespace varnok {

namespace {

struct BrokenLine {
    std::string Text;
    qreal Width = 0;
};

QRect toQRect(const TextRect& rect)
{
    return {rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top};
}

constexpr int kFallbackUnitsPerInch = 96;
// Widths beyond this (a huge text in a huge font) are taken as this, so they stay ints.
constexpr qreal kWidestText = 1 << 30;

int wholeWidth(qreal width)
{
    return static_cast<int>(std::ceil(std::min(width, kWidestText)));
}

Qt::PenStyle toQtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    case psSolid:
        break;
    }
    return Qt::SolidLine;
}

// The colour text is drawn in; without one (kNoColor) it is black.
QColor inkColor(TColor color, const QPalette& palette)
{
    const QColor ink = ToQColor(color, palette);
    return ink.isValid() ? ink : QColor(Qt::black);
}

int screenUnitsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi =
        screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 0;
    return dpi > 0 ? dpi : kFallbackUnitsPerInch;
}

// A painter's units are its device's pixels unless the canvas is told otherwise.
int deviceUnitsPerInch(const QPaintDevice* device)
{
    return device != nullptr && device->logicalDpiY() > 0 ? device->logicalDpiY()
                                                          : screenUnitsPerInch();
}

bool hasBreakOrTab(std::string_view text)
{
    return text.find_first_of("\r\n\t") != std::string_view::npos;
}

// The pieces between CR LF, CR and LF; the empty text has none.
std::vector<std::string_view> splitParagraphs(std::string_view text)
{
    std::vector<std::string_view> pieces;
    if (text.empty()) {
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        pieces.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

} // namespace

// A font with its metrics and the advance of each of the 256 Windows-1252 characters,
// looked up once per character on first use.
class QtCanvas::FontEntry {
public:
    FontEntry(const TGridFont& key, const QPaintDevice* device)
        : Key(key), Font(ToQFont(key)), m_metrics(Font, device)
    {
        const QFontMetrics whole(Font, device);
        Ascent = whole.ascent();
        LineHeight = std::max(whole.lineSpacing(), 1);
        UnderlinePos = whole.underlinePos();
        UnderlineWidth = std::max(whole.lineWidth(), 1);
        m_advances.fill(-1);
    }

    [[nodiscard]] qreal Width(std::string_view bytes)
    {
        qreal width = 0;
        for (const char c : bytes) {
            width += advance(static_cast<unsigned char>(c));
        }
        return width;
    }

    /** Lines of `text` at `width` pixels, by the rules in the class comment. */
    [[nodiscard]] std::vector<BrokenLine> BreakLines(std::string_view text, int width)
    {
        std::vector<BrokenLine> lines;
        for (const std::string_view piece : splitParagraphs(text)) {
            breakParagraph(ExpandTabs(piece), width, lines);
        }
        return lines;
    }

    /** Number of lines of `text` at `width`, without building them where one line is sure. */
    [[nodiscard]] int LineCount(std::string_view text, int width)
    {
        if (text.empty()) {
            return 0;
        }
        // Nearly every cell is one address or date: without a line break, tab or blank, or
        // narrow enough as a whole, it is one line.
        if (!hasBreakOrTab(text) &&
            (text.find(' ') == std::string_view::npos || Width(text) <= width)) {
            return 1;
        }
        return static_cast<int>(BreakLines(text, width).size());
    }

    TGridFont Key;
    QFont Font;
    int Ascent = 0;
    int LineHeight = 0;
    int UnderlinePos = 0;
    int UnderlineWidth = 1;

    [[nodiscard]] qreal advance(unsigned char byte)
    {
        qreal& known = m_advances[byte];
        if (known < 0) {
            const char c = static_cast<char>(byte);
            known = m_metrics.horizontalAdvance(DecodeCp1252(std::string_view(&c, 1)).at(0));
        }
        return known;
    }

private:
    // Greedy: words with the blanks before them join the line while it stays within the
    // width; the first word of a line always stays, however wide.
    void breakParagraph(const std::string& paragraph, int width, std::vector<BrokenLine>& lines)
    {
        BrokenLine line;
        bool lineHasWord = false;
        std::size_t pos = 0;
        while (pos < paragraph.size()) {
            const std::size_t wordStart = paragraph.find_first_not_of(' ', pos);
            if (wordStart == std::string::npos) {
                line.Text.append(paragraph, pos); // trailing blanks overhang the edge
                break;
            }
            const std::size_t wordEnd = std::min(paragraph.find(' ', wordStart), paragraph.size());
            const std::string_view whole(paragraph);
            const std::string_view piece = whole.substr(pos, wordEnd - pos);
            const qreal pieceWidth = Width(piece);
            if (lineHasWord && line.Width + pieceWidth > width) {
                lines.push_back(std::move(line));
                const std::string_view word = whole.substr(wordStart, wordEnd - wordStart);
                line = BrokenLine{std::string(word), Width(word)};
            } else {
                line.Text.append(piece);
                line.Width += pieceWidth;
            }
            lineHasWord = true;
            pos = wordEnd;
        }
        lines.push_back(std::move(line));
    }

    QFontMetricsF m_metrics;
    std::array<qreal, 256> m_advances{};
};

QtCanvas::QtCanvas() : m_palette(QGuiApplication::palette()), m_unitsPerInch(screenUnitsPerInch())
{
}

QtCanvas::QtCanvas(QPainter& painter, const QPalette& palette)
    : m_painter(&painter), m_palette(palette), m_unitsPerInch(deviceUnitsPerInch(painter.device()))
{
}

void QtCanvas::SetUnitsPerInch(int unitsPerInch)
{
    if (unitsPerInch > 0) {
        m_unitsPerInch = unitsPerInch;
    }
}

QtCanvas::~QtCanvas() = default;

QFont QtCanvas::ToQFont(const TGridFont& font)
{
    QFont qfont(QString::fromStdString(font.Name));
    if (font.Height > 0) {
        qfont.setPixelSize(font.Height);
    }
    SetQFontStyle(qfont, font);
    // Each character drawn as itself: a ligature would turn the "ff" of a hash or an address
    // into one glyph that a PDF reader copies out as a different character.
    qfont.setStyleStrategy(QFont::PreferNoShaping);
    return qfont;
}

QtCanvas::FontEntry& QtCanvas::entryFor(const TGridFont& font)
{
    if (m_last != nullptr && m_last->Key == font) {
        return *m_last;
    }
    const auto found = std::find_if(m_fonts.begin(), m_fonts.end(),
                                    [&font](const auto& entry) { return entry->Key == font; });
    if (found != m_fonts.end()) {
        m_last = found->get();
        return *m_last;
    }
    const QPaintDevice* device = m_painter != nullptr ? m_painter->device() : nullptr;
    m_fonts.push_back(std::make_unique<FontEntry>(font, device));
    m_last = m_fonts.back().get();
    return *m_last;
}

void QtCanvas::selectFont(const FontEntry& entry)
{
    if (m_painterFont != &entry) {
        m_painter->setFont(entry.Font);
        m_painterFont = &entry;
    }
}

int QtCanvas::MeasureWrappedHeight(const TGridFont& font, std::string_view text, int width)
{
    FontEntry& entry = entryFor(font);
    return entry.LineCount(text, width) * entry.LineHeight;
}

TextExtent QtCanvas::MeasureLine(const TGridFont& font, std::string_view text)
{
    FontEntry& entry = entryFor(font);
    return {wholeWidth(entry.Width(text)), entry.LineHeight};
}

void QtCanvas::DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                               const TextRect& rect)
{
    const int width = rect.Right - rect.Left;
    const int height = rect.Bottom - rect.Top;
    if (m_painter == nullptr || text.empty() || width <= 0 || height <= 0) {
        return;
    }
    FontEntry& entry = entryFor(font);
    const std::vector<BrokenLine> lines = entry.BreakLines(text, width);
    const int shown = std::min<int>(static_cast<int>(lines.size()),
                                    (height + entry.LineHeight - 1) / entry.LineHeight);
    const bool overflows =
        shown * entry.LineHeight > height ||
        std::any_of(lines.begin(), lines.begin() + shown,
                    [width](const BrokenLine& line) { return line.Width > width; });

    selectFont(entry);
    m_painter->setPen(inkColor(color, m_palette));
    // Most cells fit; setting up a clip region for them would only cost time.
    if (overflows) {
        setClip(rect);
    }
    for (int i = 0; i < shown; ++i) {
        const int baseline = rect.Top + i * entry.LineHeight + entry.Ascent;
        const std::string& line = lines[static_cast<std::size_t>(i)].Text;
        m_painter->drawText(QPoint(rect.Left, baseline), DecodeCp1252(line));
    }
    if (overflows) {
        dropClip();
    }
}

TextExtent QtCanvas::MeasureTextRun(const TGridFont& font, std::string_view text, bool prefix)
{
    FontEntry& entry = entryFor(font);
    const qreal width = ShowsAsWritten(text, prefix) ? entry.Width(text)
                                                     : entry.Width(ShowRunText(text, prefix).Text);
    return {wholeWidth(width), entry.LineHeight};
}

void QtCanvas::DrawTextRun(const TGridFont& font, std::string_view text,
                           const TextRunOptions& options, int x, int y, const TextRect& clip)
{
    if (m_painter == nullptr || clip.Right <= clip.Left || clip.Bottom <= clip.Top) {
        return;
    }
    FontEntry& entry = entryFor(font);
    ShownRun processed;
    std::string_view shown = text;
    if (!ShowsAsWritten(text, options.Prefix)) {
        processed = ShowRunText(text, options.Prefix);
        shown = processed.Text;
    }
    const TextRect extent{x, y, x + wholeWidth(entry.Width(shown)), y + entry.LineHeight};
    if (extent.Right <= clip.Left || extent.Left >= clip.Right || extent.Bottom <= clip.Top ||
        extent.Top >= clip.Bottom) {
        return;
    }
    // Most runs lie inside their cell; a clip region for them would only cost time.
    const bool clipped = extent.Left < clip.Left || extent.Top < clip.Top ||
                         extent.Right > clip.Right || extent.Bottom > clip.Bottom;
    if (clipped) {
        setClip(clip);
    }
    if (options.Background != kNoColor) {
        m_painter->fillRect(toQRect(extent), ToQColor(options.Background, m_palette));
    }
    if (!shown.empty()) {
        selectFont(entry);
        const QColor ink = inkColor(font.Color, m_palette);
        m_painter->setPen(ink);
        m_painter->drawText(QPoint(x, y + entry.Ascent), DecodeCp1252(shown));
        drawUnderlines(entry, shown, processed.Underlined, x, y, ink);
    }
    if (clipped) {
        dropClip();
    }
}

// Prefix underlines lie where the font draws its own underline.
void QtCanvas::drawUnderlines(FontEntry& entry, std::string_view shown,
                              const std::vector<std::size_t>& positions, int x, int y,
                              const QColor& ink)
{
    for (const std::size_t position : positions) {
        if (position >= shown.size()) {
            continue;
        }
        const qreal left = x + entry.Width(shown.substr(0, position));
        const qreal width = entry.advance(static_cast<unsigned char>(shown[position]));
        m_painter->fillRect(
            QRectF(left, y + entry.Ascent + entry.UnderlinePos, width, entry.UnderlineWidth), ink);
    }
}

void QtCanvas::setClip(const TextRect& clip)
{
    m_painter->save();
    m_painter->setClipRect(toQRect(clip), Qt::IntersectClip);
}

void QtCanvas::dropClip()
{
    m_painter->restore();
    m_painterFont = nullptr; // restore() may have put another font back
}

void QtCanvas::FillRect(const TextRect& rect, TColor color)
{
    if (m_painter == nullptr || color == kNoColor) {
        return;
    }
    m_painter->fillRect(toQRect(rect), ToQColor(color, m_palette));
}

void QtCanvas::selectPen(const TPen& pen)
{
    m_painter->setPen(
        QPen(ToQColor(pen.Color, m_palette), std::max(pen.Width, 0), toQtPenStyle(pen.Style)));
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2, const TPen& pen)
{
    if (m_painter == nullptr || pen.Color == kNoColor || pen.Style == psClear) {
        return;
    }
    selectPen(pen);
    m_painter->drawLine(x1, y1, x2, y2);
}

void QtCanvas::FrameRect(const TextRect& rect, const TPen& pen)
{
    if (m_painter == nullptr || pen.Color == kNoColor || pen.Style == psClear) {
        return;
    }
    selectPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(toQRect(rect));
}

} // namespace varnok
