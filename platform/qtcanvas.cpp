#include "platform/qtcanvas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <climits>

#include "platform/cp1252.h"
#include "platform/qtcolor.h"

namespace {

// Windows breaks lines at CR LF, at a lone CR and at a lone LF; Qt only at LF.
QString decodeForLayout(std::string_view bytes)
{
    QString text = DecodeCp1252(bytes);
    if (text.contains(QLatin1Char('\r'))) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    return text;
}

// Printable ASCII only: no line break or tab, and every glyph comes from the font itself,
// so no fallback font can make the line taller than the font's own line.
bool isPlainLine(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

constexpr int kWrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

QRect toQRect(const TextRect& rect)
{
    return {rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top};
}

} // namespace

struct QtCanvas::FontEntry {
    FontEntry(const TGridFont& key, const QFont& qfont, const QPaintDevice* device)
        : key(key),
          font(qfont),
          metrics(qfont, device),
          metricsF(qfont, device),
          // The layout rounds the line up from the font's fractional ascent and descent,
          // so its line can be a pixel taller than QFontMetrics::height().
          lineHeight(metrics.boundingRect(QRect(0, 0, INT_MAX / 2, INT_MAX / 2), kWrapFlags,
                                          QStringLiteral("x"))
                         .height()),
          // The line breaker counts the last glyph's overhang (a negative right bearing)
          // as part of the line; no glyph of the font overhangs more than this.
          overhang(-std::min<qreal>(metricsF.minRightBearing(), 0))
    {
    }

    // Whether a line of printable ASCII of this advance stays one line at `width`.
    [[nodiscard]] bool fitsOneLine(const QString& text, int width) const
    {
        return metricsF.horizontalAdvance(text) + overhang <= static_cast<qreal>(width);
    }
    TGridFont key;
    QFont font;
    QFontMetrics metrics;
    QFontMetricsF metricsF;
    int lineHeight;
    qreal overhang;
};

QtCanvas::QtCanvas() : m_palette(QGuiApplication::palette()) {}

QtCanvas::QtCanvas(QPainter& painter, const QPalette& palette)
    : m_painter(&painter), m_palette(palette)
{
}

QtCanvas::~QtCanvas() = default;

QFont QtCanvas::ToQFont(const TGridFont& font)
{
    QFont qfont(QString::fromStdString(font.Name));
    if (font.Height > 0) {
        qfont.setPixelSize(font.Height);
    }
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    qfont.setStrikeOut(font.StrikeOut);
    return qfont;
}

const QtCanvas::FontEntry& QtCanvas::entryFor(const TGridFont& font)
{
    if (m_last != nullptr && m_last->key == font) {
        return *m_last;
    }
    const auto found = std::find_if(m_fonts.begin(), m_fonts.end(),
                                    [&font](const auto& entry) { return entry->key == font; });
    if (found != m_fonts.end()) {
        m_last = found->get();
        return *m_last;
    }
    const QPaintDevice* device = m_painter != nullptr ? m_painter->device() : nullptr;
    m_fonts.push_back(std::make_unique<FontEntry>(font, ToQFont(font), device));
    m_last = m_fonts.back().get();
    return *m_last;
}

void QtCanvas::selectFont(const FontEntry& entry)
{
    if (m_painterFont != &entry) {
        m_painter->setFont(entry.font);
        m_painterFont = &entry;
    }
}

int QtCanvas::MeasureWrappedHeight(const TGridFont& font, std::string_view text, int width)
{
    const FontEntry& entry = entryFor(font);
    const QString decoded = decodeForLayout(text);
    // Sizing 60,000 rows measures every cell: most are one line that fits, and for those
    // the full layout would only confirm the line height.
    if (isPlainLine(text) && entry.fitsOneLine(decoded, width)) {
        return entry.lineHeight;
    }
    const QRect bounds(0, 0, std::max(width, 0), INT_MAX / 2);
    return entry.metrics.boundingRect(bounds, kWrapFlags, decoded).height();
}

TextExtent QtCanvas::MeasureLine(const TGridFont& font, std::string_view text)
{
    const FontEntry& entry = entryFor(font);
    return {entry.metrics.horizontalAdvance(DecodeCp1252(text)), entry.lineHeight};
}

void QtCanvas::DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                               const TextRect& rect)
{
    if (m_painter == nullptr || text.empty() || rect.Right <= rect.Left ||
        rect.Bottom <= rect.Top) {
        return;
    }
    const FontEntry& entry = entryFor(font);
    selectFont(entry);
    const QColor penColor = ToQColor(color, m_palette);
    m_painter->setPen(penColor.isValid() ? penColor : QColor(Qt::black));
    const QString decoded = decodeForLayout(text);
    // One line that fits needs neither the line breaker nor a clip region.
    if (isPlainLine(text) && entry.lineHeight <= rect.Bottom - rect.Top &&
        entry.fitsOneLine(decoded, rect.Right - rect.Left)) {
        m_painter->drawText(QPointF(rect.Left, rect.Top + entry.metricsF.ascent()), decoded);
        return;
    }
    m_painter->drawText(toQRect(rect), kWrapFlags, decoded);
}

void QtCanvas::FillRect(const TextRect& rect, TColor color)
{
    if (m_painter == nullptr || color == kNoColor) {
        return;
    }
    m_painter->fillRect(toQRect(rect), ToQColor(color, m_palette));
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2, TColor color)
{
    if (m_painter == nullptr || color == kNoColor) {
        return;
    }
    m_painter->setPen(QPen(ToQColor(color, m_palette), 0));
    m_painter->drawLine(x1, y1, x2, y2);
}
