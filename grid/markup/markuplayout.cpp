#include "grid/markup/markuplayout.h"

#include <algorithm>
#include <vector>

#include "grid/markup/markupcolor.h"
#include "grid/markup/markupentities.h"
#include "grid/markup/markupstyle.h"
#include "grid/markup/markuptags.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

// Positions stop growing here, so no text, however long or large, overflows them.
constexpr int kFarthest = 1 << 30;
constexpr int kListIndent = 12; // per list level; the bullet sits in the last 12 before the text
constexpr int kShadowOffset = 1;
constexpr int kErrorMarkHeight = 2;
constexpr int kErrorMarkHalfPeriod = 2;
constexpr std::size_t kLongestEntity = 8; // "&permil;" from its "&" to its ";"
constexpr TColor kShadowColor = clGray;
constexpr TColor kRuleColor = clBlack;
constexpr TColor kErrorMarkColor = clRed;
// Bullets of odd and even list levels, as Windows-1252 characters.
constexpr std::string_view kOddLevelBullet = "\x95";
constexpr std::string_view kEvenLevelBullet = "o";

int movedBy(int position, int distance)
{
    return static_cast<int>(
        std::clamp<long long>(static_cast<long long>(position) + distance, -kFarthest, kFarthest));
}

bool needsPreparing(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos ||
           text.find("<#") != std::string_view::npos;
}

// The text the layout reads: the first "<#" loses its "<" and the next ">", and each line
// break (CR LF, CR or LF, as a plain cell breaks its lines) becomes "<BR>".
std::string prepareMarkupText(std::string_view text)
{
    std::string prepared(text);
    if (const std::size_t open = prepared.find("<#"); open != std::string::npos) {
        const std::size_t close = prepared.find('>', open);
        if (close != std::string::npos)
            prepared.erase(close, 1);
        prepared.erase(open, 1);
    }
    std::string result;
    result.reserve(prepared.size());
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        const char c = prepared[i];
        if (c == '\r' || (c == '\n' && (i == 0 || prepared[i - 1] != '\r')))
            result += "<BR>";
        else if (c != '\n')
            result.push_back(c);
    }
    return result;
}

// The next place of one character at or after a position. It remembers a stretch known to
// hold none, so the walk through a line and back to the line's start for the second pass
// costs time in proportion to the line, not to the rest of the text.
class NextFinder {
public:
    NextFinder() = default;
    NextFinder(std::string_view text, char wanted)
        : m_text(text), m_wanted(wanted), m_found(std::min(text.find(wanted), text.size()))
    {
    }

    /** The position of the next wanted character from `pos` on, or the text's size. */
    [[nodiscard]] std::size_t At(std::size_t pos)
    {
        if (pos < m_from) {
            const std::size_t found = m_text.substr(0, m_from).find(m_wanted, pos);
            if (found != std::string_view::npos)
                m_found = found;
            m_from = pos;
        } else if (pos > m_found) {
            m_from = pos;
            m_found = std::min(m_text.find(m_wanted, pos), m_text.size());
        }
        return m_found;
    }

private:
    std::string_view m_text;
    char m_wanted = '<';
    std::size_t m_from = 0;  // no wanted character from here ...
    std::size_t m_found = 0; // ... up to here
};

// One piece of the text: a tag, a run of text, or the end (a tag without its ">" ends the
// text there).
struct Item {
    enum Kind { kRun, kTag, kEnd };
    Kind Type = kEnd;
    std::size_t Begin = 0;
    std::size_t End = 0;
};

// What the measuring pass finds out about one line.
struct LineMetrics {
    std::size_t End = 0; // where the next line starts
    int Width = 0;       // from the line's start to the end of its last run
    int TextHeight = 0;  // the tallest text on the line
    int RaiseRoom = 0;   // extra room above for superscript
    int LowerRoom = 0;   // extra room below for subscript
    MarkupAlign Align = MarkupAlign::Left;
    int Indent = 0;
    TColor Fill = kNoColor;
    [[nodiscard]] int Height() const { return RaiseRoom + TextHeight + LowerRoom; }
};

// Where a line lies once placed.
struct PlacedLine {
    int Top = 0;
    int Height = 0;
    int TextBottom = 0; // runs stand on this, sub- and superscripts a quarter below or above
};

// The walk through one line, shared by the measuring and the placing pass.
struct LinePass {
    int X = 0;
    bool ListItemSeen = false;
    bool EndsWithSpace = false;
    const PlacedLine* Placed = nullptr; // only while placing
};

enum class TagEffect { Continue, EndLineAfter, EndLineBefore };

class MarkupEngine {
public:
    MarkupEngine(TextCanvas& canvas, const MarkupRequest& request)
        : m_canvas(canvas),
          m_request(request), m_defaults{request.Font, request.AnchorColor, canvas.UnitsPerInch()},
          m_style(InitialMarkupStyle(m_defaults))
    {
    }

    MarkupResult Run(std::string_view text);

private:
    [[nodiscard]] Item nextItem(std::size_t pos);
    [[nodiscard]] MarkupTag tagOf(const Item& tag) const;
    [[nodiscard]] std::string_view runText(std::size_t begin, std::size_t end);
    [[nodiscard]] std::size_t fittingEnd(const Item& run, int room, bool atLeastOne);
    [[nodiscard]] int lineStartX() const { return m_request.Area.Left + 1; }
    [[nodiscard]] int placedX(const LineMetrics& line) const;
    [[nodiscard]] bool drawing() const { return !m_request.MeasureOnly; }
    [[nodiscard]] bool placingNeeded() const { return drawing() || m_request.Pointer.has_value(); }

    LineMetrics measureLine(std::size_t start);
    void placeLine(std::size_t start, const LineMetrics& line, const PlacedLine& placed);
    TagEffect handleTag(const MarkupTag& tag, LinePass& pass);
    void placeRun(std::string_view shown, const TextExtent& extent, const LinePass& pass);
    void drawListBullet(const LinePass& pass);
    void drawErrorMark(int x, int width, int bottom);
    void testAnchorHit(int x, int width, const PlacedLine& placed);

    TextCanvas& m_canvas;
    const MarkupRequest& m_request;
    MarkupDefaults m_defaults;
    MarkupStyle m_style;
    std::string_view m_text;
    NextFinder m_nextOpen;
    NextFinder m_nextBlank;
    std::string m_runBuffer;
    MarkupResult m_result;
};

MarkupResult MarkupEngine::Run(std::string_view text)
{
    m_text = text;
    m_nextOpen = NextFinder(text, '<');
    m_nextBlank = NextFinder(text, ' ');
    const TextRect& area = m_request.Area;
    int top = area.Top;
    std::size_t pos = 0;
    while (pos < m_text.size()) {
        const MarkupStyle atLineStart = m_style;
        const LineMetrics line = measureLine(pos);
        m_result.Width = std::max(m_result.Width, lineStartX() + line.Width - area.Left);
        if (placingNeeded()) {
            const MarkupStyle measured = m_style;
            m_style = atLineStart;
            const PlacedLine placed{top, line.Height(), top + line.RaiseRoom + line.TextHeight};
            placeLine(pos, line, placed);
            m_style = measured;
        }
        pos = line.End;
        top = movedBy(top, line.Height());
        if (drawing() && top > area.Bottom)
            break;
    }
    m_result.Height = top - area.Top;
    if (m_result.Height == 0)
        m_result.Height = m_canvas.MeasureTextRun(m_style.Font, "gh", false).Height;
    return std::move(m_result);
}

Item MarkupEngine::nextItem(std::size_t pos)
{
    if (pos >= m_text.size())
        return {Item::kEnd, pos, pos};
    if (m_text[pos] == '<') {
        const std::size_t close = m_text.find('>', pos + 1);
        if (close == std::string_view::npos)
            return {Item::kEnd, pos, m_text.size()};
        return {Item::kTag, pos, close + 1};
    }
    std::size_t end = m_nextOpen.At(pos);
    if (m_request.WordWrap)
        end = std::min(end, m_nextBlank.At(pos) + 1);
    return {Item::kRun, pos, end};
}

// The tag an item of kind kTag holds, read from between its "<" and ">".
MarkupTag MarkupEngine::tagOf(const Item& tag) const
{
    return ParseMarkupTag(m_text.substr(tag.Begin + 1, tag.End - tag.Begin - 2));
}

// The run's text with its entities decoded; a run without "&" is used as it stands.
std::string_view MarkupEngine::runText(std::size_t begin, std::size_t end)
{
    const std::string_view raw = m_text.substr(begin, end - begin);
    if (raw.find('&') == std::string_view::npos)
        return raw;
    m_runBuffer.clear();
    AppendRunText(m_runBuffer, raw);
    return m_runBuffer;
}

// The end of the longest start of `run` that is at most `room` wide, never inside an entity.
// When not even its first character fits: that character with atLeastOne, else run.Begin.
std::size_t MarkupEngine::fittingEnd(const Item& run, int room, bool atLeastOne)
{
    std::vector<std::size_t> cuts;
    for (std::size_t pos = run.Begin; pos < run.End;) {
        std::size_t next = pos + 1;
        if (m_text[pos] == '&') {
            const std::size_t semicolon = m_text.find(';', pos);
            if (semicolon != std::string_view::npos && semicolon < run.End &&
                semicolon - pos <= kLongestEntity)
                next = semicolon + 1;
        }
        cuts.push_back(next);
        pos = next;
    }
    // Widths grow with the characters taken, so the longest fitting start is found by halving.
    std::size_t fitting = 0;
    std::size_t low = 0;
    std::size_t high = cuts.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        const int width =
            m_canvas.MeasureTextRun(m_style.Font, runText(run.Begin, cuts[middle]), true).Width;
        if (width <= room) {
            fitting = middle + 1;
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (fitting == 0)
        return atLeastOne && !cuts.empty() ? cuts.front() : run.Begin;
    return cuts[fitting - 1];
}

int MarkupEngine::placedX(const LineMetrics& line) const
{
    const int start = lineStartX();
    const int free = m_request.Area.Right - start - line.Width;
    int x = start;
    if (line.Align == MarkupAlign::Right && free > 0)
        x = m_request.Area.Right - line.Width;
    else if (line.Align == MarkupAlign::Center && free > 0)
        x = start + free / 2;
    return movedBy(x, line.Indent);
}

LineMetrics MarkupEngine::measureLine(std::size_t start)
{
    LineMetrics line;
    line.TextHeight = m_canvas.MeasureTextRun(m_style.Font, "gh", false).Height;
    LinePass pass{lineStartX()};
    const int wholeLine = m_request.Area.Right - lineStartX();
    std::size_t pos = start;
    for (;;) {
        Item item = nextItem(pos);
        if (item.Type == Item::kEnd) {
            pos = item.End;
            break;
        }
        if (item.Type == Item::kTag) {
            const TagEffect effect = handleTag(tagOf(item), pass);
            if (effect == TagEffect::EndLineBefore)
                break;
            pos = item.End;
            if (effect == TagEffect::EndLineAfter)
                break;
            continue;
        }
        if (!m_style.Hidden) {
            TextExtent extent =
                m_canvas.MeasureTextRun(m_style.Font, runText(item.Begin, item.End), true);
            const bool overflows = movedBy(pass.X, extent.Width) > m_request.Area.Right;
            const bool fits = !overflows || extent.Width >= wholeLine || !pass.EndsWithSpace;
            if (!fits)
                break;
            const bool breaksHere = overflows && m_request.BreakLongRuns;
            if (breaksHere) {
                // Only the part that fits stays on this line; a line's first run keeps at
                // least its first character, so every line moves on.
                const std::size_t end =
                    fittingEnd(item, m_request.Area.Right - pass.X, pass.X <= lineStartX());
                if (end == item.Begin)
                    break;
                item.End = end;
                extent = m_canvas.MeasureTextRun(m_style.Font, runText(item.Begin, end), true);
            }
            pass.X = movedBy(pass.X, extent.Width);
            pass.EndsWithSpace = m_text[item.End - 1] == ' ';
            line.TextHeight = std::max(line.TextHeight, extent.Height);
            if (m_style.Subscript)
                line.LowerRoom = std::max(line.LowerRoom, extent.Height / 4);
            if (m_style.Superscript)
                line.RaiseRoom = std::max(line.RaiseRoom, extent.Height / 4);
            if (m_style.ParagraphBackground != kNoColor)
                line.Fill = m_style.ParagraphBackground;
            if (breaksHere) {
                pos = item.End;
                break;
            }
        }
        pos = item.End;
    }
    line.End = pos;
    line.Width = pass.X - lineStartX();
    line.Align = m_style.Align;
    line.Indent = m_style.Indent;
    if (line.Fill == kNoColor)
        line.Fill = m_style.ParagraphBackground;
    return line;
}

void MarkupEngine::placeLine(std::size_t start, const LineMetrics& line, const PlacedLine& placed)
{
    const TextRect& area = m_request.Area;
    if (drawing() && line.Fill != kNoColor)
        m_canvas.FillRect({area.Left, placed.Top, area.Right, placed.Top + placed.Height},
                          line.Fill);
    LinePass pass{placedX(line)};
    pass.Placed = &placed;
    std::size_t pos = start;
    while (pos < line.End) {
        Item item = nextItem(pos);
        if (item.Type == Item::kEnd)
            break;
        // A run broken at the line's end continues on the next line.
        item.End = std::min(item.End, line.End);
        pos = item.End;
        if (item.Type == Item::kTag) {
            handleTag(tagOf(item), pass);
            continue;
        }
        if (m_style.Hidden)
            continue;
        const std::string_view shown = runText(item.Begin, item.End);
        const TextExtent extent = m_canvas.MeasureTextRun(m_style.Font, shown, true);
        placeRun(shown, extent, pass);
        pass.X = movedBy(pass.X, extent.Width);
    }
}

TagEffect MarkupEngine::handleTag(const MarkupTag& tag, LinePass& pass)
{
    ApplyStyleTag(m_style, tag, m_defaults);
    const TextRect& area = m_request.Area;
    switch (tag.Kind) {
    case MarkupTagKind::LineBreak:
        return tag.Closing ? TagEffect::Continue : TagEffect::EndLineAfter;
    case MarkupTagKind::Rule:
        if (tag.Closing)
            return TagEffect::Continue;
        if (pass.Placed != nullptr && drawing()) {
            const int y = pass.Placed->Top + pass.Placed->Height;
            m_canvas.DrawLine(area.Left, y, area.Right, y, kRuleColor);
        }
        return TagEffect::EndLineAfter;
    case MarkupTagKind::Paragraph:
        return tag.Closing ? TagEffect::EndLineAfter : TagEffect::Continue;
    case MarkupTagKind::ListItem:
        if (tag.Closing)
            return TagEffect::Continue;
        if (pass.ListItemSeen)
            return TagEffect::EndLineBefore;
        pass.ListItemSeen = true;
        pass.X = movedBy(pass.X, kListIndent * m_style.ListLevel);
        drawListBullet(pass);
        return TagEffect::Continue;
    case MarkupTagKind::Indent:
        if (const auto x = TagNumber(tag.Text, "X"); x && !tag.Closing)
            pass.X = std::max(pass.X, movedBy(area.Left, *x));
        return TagEffect::Continue;
    case MarkupTagKind::Body:
        if (const auto color = TagAttribute(tag.Text, "BGCOLOR");
            color && !tag.Closing && pass.Placed != nullptr && drawing())
            m_canvas.FillRect(area, MarkupColor(*color));
        return TagEffect::Continue;
    default:
        return TagEffect::Continue;
    }
}

void MarkupEngine::drawListBullet(const LinePass& pass)
{
    if (pass.Placed == nullptr || !drawing() || m_style.ListLevel == 0 || m_style.Hidden)
        return;
    const std::string_view bullet = m_style.ListLevel % 2 == 1 ? kOddLevelBullet : kEvenLevelBullet;
    const TextExtent extent = m_canvas.MeasureTextRun(m_style.Font, bullet, false);
    m_canvas.DrawTextRun(m_style.Font, bullet, {}, pass.X - kListIndent,
                         pass.Placed->TextBottom - extent.Height, m_request.Area);
}

void MarkupEngine::placeRun(std::string_view shown, const TextExtent& extent, const LinePass& pass)
{
    const PlacedLine& placed = *pass.Placed;
    int y = placed.TextBottom - extent.Height;
    if (m_style.Subscript)
        y += extent.Height / 4;
    if (m_style.Superscript)
        y -= extent.Height / 4;
    if (m_request.Pointer && m_style.InAnchor)
        testAnchorHit(pass.X, extent.Width, placed);
    if (!drawing())
        return;
    const TextRect& clip = m_request.Area;
    if (m_style.Shadow) {
        TGridFont shadow = m_style.Font;
        shadow.Color = kShadowColor;
        m_canvas.DrawTextRun(shadow, shown, {true, kNoColor}, pass.X + kShadowOffset,
                             y + kShadowOffset, clip);
    }
    m_canvas.DrawTextRun(m_style.Font, shown, {true, m_style.Background}, pass.X, y, clip);
    if (m_style.ErrorMark)
        drawErrorMark(pass.X, extent.Width, y + extent.Height - 1);
}

// A zigzag along the text's bottom edge: down, up, down ... every two units from the
// text's start; only the part inside the area is drawn, however wide the text.
void MarkupEngine::drawErrorMark(int x, int width, int bottom)
{
    const int top = bottom - (kErrorMarkHeight - 1);
    const int end = std::min(movedBy(x, width), m_request.Area.Right);
    const int skipped = std::max(0, m_request.Area.Left - x) / kErrorMarkHalfPeriod;
    bool down = skipped % 2 == 0;
    for (int from = movedBy(x, skipped * kErrorMarkHalfPeriod); from < end;
         from += kErrorMarkHalfPeriod) {
        const int to = std::min(from + kErrorMarkHalfPeriod, end);
        m_canvas.DrawLine(from, down ? top : bottom, to, down ? bottom : top, kErrorMarkColor);
        down = !down;
    }
}

void MarkupEngine::testAnchorHit(int x, int width, const PlacedLine& placed)
{
    const MarkupPoint& point = *m_request.Pointer;
    if (m_result.AnchorHit || point.X < x || point.X >= movedBy(x, width) || point.Y < placed.Top ||
        point.Y >= movedBy(placed.Top, placed.Height))
        return;
    m_result.AnchorHit = true;
    m_result.AnchorTarget = std::string(m_style.AnchorTarget);
}

} // namespace

MarkupResult DrawMarkup(TextCanvas& canvas, std::string_view text, const MarkupRequest& request)
{
    MarkupEngine engine(canvas, request);
    if (!needsPreparing(text))
        return engine.Run(text);
    const std::string prepared = prepareMarkupText(text);
    return engine.Run(prepared);
}

MarkupResult MeasureMarkup(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                           int width, bool breakLongRuns)
{
    MarkupRequest request;
    request.Font = font;
    request.Area = {0, 0, width, kMarkupMeasureBox};
    request.MeasureOnly = true;
    request.BreakLongRuns = breakLongRuns;
    return DrawMarkup(canvas, text, request);
}

} // namespace varnok
