#include "grid/pageslots.h"

#include <algorithm>

#include "grid/printdateformat.h"
#include "grid/printmarkup.h"
#include "grid/printmetrics.h"
#include "grid/texttype.h"
#include "platform/textcanvas.h"

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
    if (!settings.PageNumSep.empty() && pageCount > 1)
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
    const TextRect page{0, 0, sizes.PageWidth, sizes.PageBottom};
    const int footerTop =
        sizes.PageBottom - (settings.FooterSize + metrics.Pad + metrics.FooterLineHeight);
    for (std::size_t slot = 0; slot < PageSlots::kSlotCount; ++slot) {
        const auto position = static_cast<TPrintPosition>(slot + 1);
        const bool top = isTop(position);
        const TGridFont& font = top ? metrics.HeaderFont : metrics.FooterFont;
        const int lineHeight = top ? metrics.HeaderLineHeight : metrics.FooterLineHeight;
        const bool hasTitleLines = static_cast<int>(slot) == slots.TitleSlot;
        const int moreLines = hasTitleLines ? static_cast<int>(slots.MoreTitleLines.size()) : 0;
        // Further footer title lines grow upwards, so none falls off the paper.
        int y = top ? settings.HeaderSize : footerTop - moreLines * lineHeight;
        const std::string& text = slots.Texts[slot];
        const int width = canvas.MeasureTextRun(font, text, false).Width;
        int x = settings.LeftSize;
        if (isRight(position))
            x = sizes.PageWidth - settings.RightSize - kRightSlotInset - width;
        else if (!isLeft(position))
            x = (sizes.PageWidth - width) / 2;
        if (!text.empty())
            canvas.DrawTextRun(font, text, TextRunOptions{}, x, y, page);
        for (int line = 0; line < moreLines; ++line) {
            y += lineHeight;
            canvas.DrawTextRun(font, slots.MoreTitleLines[static_cast<std::size_t>(line)],
                               TextRunOptions{}, x, y, page);
        }
    }
    if (slots.MarkupTitle.empty())
        return;
    const bool top = isTop(slots.MarkupTitlePosition);
    const TextRect band = top ? TextRect{settings.LeftSize, settings.HeaderSize,
                                         sizes.PageWidth - settings.RightSize, sizes.HeaderBand}
                              : TextRect{settings.LeftSize, sizes.PageBottom - sizes.FooterBand,
                                         sizes.PageWidth - settings.RightSize, sizes.PageBottom};
    DrawPrintMarkup(canvas, top ? metrics.HeaderFont : metrics.FooterFont, anchorColor,
                    slots.MarkupTitle, band);
}
