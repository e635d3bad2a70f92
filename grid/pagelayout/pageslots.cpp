#include "grid/pagelayout/pageslots.h"

#include <algorithm>

#include "grid/markup/texttype.h"
#include "grid/pagelayout/printdateformat.h"
#include "grid/pagelayout/printmarkup.h"
#include "grid/pagelayout/printmetrics.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

// Right-hand texts end this far inside the right margin.
constexpr int kRightSlotInset = 20;

bool isTop(TPrintPosition position)
{
    return position == ppTopLeft || position == ppTopRight || position == ppTopCenter;
}

bool isBottom(TPrintPosition position)
{
    return position == ppBottomLeft || position == ppBottomRight || position == ppBottomCenter;
}

bool isLeft(TPrintPosition position)
{
    return position == ppTopLeft || position == ppBottomLeft;
}

bool isRight(TPrintPosition position)
{
    return position == ppTopRight || position == ppBottomRight;
}

// An item goes in front of a left slot's text and behind the others'.
void putItem(PageSlots& slots, TPrintPosition position, const std::string& item)
{
    if (position == ppNone)
        return;
    std::string& text = slots.Texts[static_cast<std::size_t>(position) - 1];
    text = isLeft(position) ? item + " " + text : text + " " + item;
}

std::string pageText(const TPrintSettings& settings, int page, int pageCount)
{
    std::string number = std::to_string(page);
    if (!settings.PageNumSep.empty() && (pageCount > 1 || settings.PageCountAlways))
        number += settings.PageNumSep + std::to_string(pageCount);
    return settings.PagePrefix + " " + number + " " + settings.PageSuffix;
}

int titleLineCount(const TPrintSettings& settings)
{
    return settings.TitleText.empty() ? static_cast<int>(settings.TitleLines.size()) : 1;
}

int extraTitleHeight(const TPrintSettings& settings, bool inBand, int lineHeight)
{
    const int lines = titleLineCount(settings);
    return inBand && lines > 1 ? (lines - 1) * lineHeight : 0;
}

std::string wholeTitle(const TPrintSettings& settings)
{
    if (!settings.TitleText.empty())
        return settings.TitleText;
    std::string title;
    for (const std::string& line : settings.TitleLines)
        title += (title.empty() ? "" : "\r\n") + line;
    return title;
}

void putTitle(PageSlots& slots, const TPrintSettings& settings, bool enableHTML)
{
    if (settings.Title == ppNone)
        return;
    const std::string whole = wholeTitle(settings);
    if (TextType(whole, enableHTML) == ttMarkup) {
        slots.MarkupTitle = whole;
        slots.MarkupTitlePosition = settings.Title;
        return;
    }
    const bool fromLines = settings.TitleText.empty();
    std::string first = settings.TitleText;
    if (fromLines && !settings.TitleLines.empty())
        first = settings.TitleLines.front();
    putItem(slots, settings.Title, first);
    slots.TitleSlot = static_cast<int>(settings.Title) - 1;
    if (fromLines && settings.TitleLines.size() > 1)
        slots.MoreTitleLines.assign(settings.TitleLines.begin() + 1, settings.TitleLines.end());
}

bool anyAt(const TPrintSettings& settings, bool (*where)(TPrintPosition))
{
    return where(settings.Time) || where(settings.Date) || where(settings.PageNr) ||
           where(settings.Title);
}

// Draws the slots of one page where the margins and bands put them.
struct SlotPainter {
    TextCanvas& Canvas;
    const PageSlots& Slots;
    const TPrintSettings& Settings;
    const PrintMetrics& Metrics;
    const PageFrameSizes& Sizes;

    void DrawSlot(std::size_t slot) const
    {
        const auto position = static_cast<TPrintPosition>(slot + 1);
        const bool top = isTop(position);
        const TGridFont& font = top ? Metrics.HeaderFont : Metrics.FooterFont;
        const int lineHeight = top ? Metrics.HeaderLineHeight : Metrics.FooterLineHeight;
        const bool hasTitleLines = static_cast<int>(slot) == Slots.TitleSlot;
        const std::vector<std::string> noLines;
        const std::vector<std::string>& moreLines = hasTitleLines ? Slots.MoreTitleLines : noLines;
        const std::string& text = Slots.Texts[slot];
        const int x = slotLeft(position, Canvas.MeasureTextRun(font, text, false).Width);
        // Further footer title lines grow upwards, so none falls off the paper.
        int y = top ? Settings.HeaderSize
                    : footerTop() - static_cast<int>(moreLines.size()) * lineHeight;
        const TextRect page{0, 0, Sizes.PageWidth, Sizes.PageBottom};
        if (!text.empty())
            Canvas.DrawTextRun(font, text, TextRunOptions{}, x, y, page);
        for (const std::string& line : moreLines) {
            y += lineHeight;
            Canvas.DrawTextRun(font, line, TextRunOptions{}, x, y, page);
        }
    }

    // A title with markup is laid out as a whole in its band.
    void DrawMarkupTitle(TColor anchorColor) const
    {
        const bool top = isTop(Slots.MarkupTitlePosition);
        const int right = Sizes.PageWidth - Settings.RightSize;
        const TextRect band =
            top ? TextRect{Settings.LeftSize, Settings.HeaderSize, right, Sizes.HeaderBand}
                : TextRect{Settings.LeftSize, Sizes.PageBottom - Sizes.FooterBand, right,
                           Sizes.PageBottom};
        DrawPrintMarkup(Canvas, top ? Metrics.HeaderFont : Metrics.FooterFont, anchorColor,
                        Slots.MarkupTitle, band);
    }

    [[nodiscard]] int footerTop() const
    {
        return Sizes.PageBottom - (Settings.FooterSize + Metrics.Pad + Metrics.FooterLineHeight);
    }

    [[nodiscard]] int slotLeft(TPrintPosition position, int width) const
    {
        if (isLeft(position))
            return Settings.LeftSize;
        if (isRight(position))
            return Sizes.PageWidth - Settings.RightSize - kRightSlotInset - width;
        return (Sizes.PageWidth - width) / 2;
    }
};

} // namespace

PageSlots FillPageSlots(const TPrintSettings& settings, const TPrintTime& now, int page,
                        int pageCount, bool enableHTML)
{
    PageSlots slots;
    putItem(slots, settings.Time, FormatPrintTime("hh:nn", now));
    putItem(slots, settings.Date, FormatPrintTime(settings.DateFormat, now));
    putItem(slots, settings.PageNr, pageText(settings, page, pageCount));
    putTitle(slots, settings, enableHTML);
    return slots;
}

int HeaderBandHeight(const TPrintSettings& settings, const PrintMetrics& metrics)
{
    if (!anyAt(settings, isTop))
        return settings.HeaderSize;
    return metrics.Pad + metrics.HeaderLineHeight + settings.HeaderSize +
           extraTitleHeight(settings, isTop(settings.Title), metrics.HeaderLineHeight);
}

int FooterBandHeight(const TPrintSettings& settings, const PrintMetrics& metrics)
{
    if (!anyAt(settings, isBottom))
        return metrics.Pad + metrics.FooterLineHeight + settings.FooterSize;
    return 2 * metrics.Pad + 2 * metrics.FooterLineHeight + settings.FooterSize +
           extraTitleHeight(settings, isBottom(settings.Title), metrics.FooterLineHeight);
}

void DrawPageSlots(TextCanvas& canvas, const PageSlots& slots, const TPrintSettings& settings,
                   const PrintMetrics& metrics, const PageFrameSizes& sizes, TColor anchorColor)
{
    const SlotPainter painter{canvas, slots, settings, metrics, sizes};
    for (std::size_t slot = 0; slot < PageSlots::kSlotCount; ++slot)
        painter.DrawSlot(slot);
    if (!slots.MarkupTitle.empty())
        painter.DrawMarkupTitle(anchorColor);
}

} // namespace varnok
