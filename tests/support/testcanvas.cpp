#include "support/testcanvas.h"

#include <algorithm>

#include "platform/runtext.h"

namespace varnok {

namespace {

// The pieces between CR, LF and CR LF breaks.
std::vector<std::string_view> splitAtBreaks(std::string_view text)
{
    std::vector<std::string_view> pieces;
    if (text.empty())
        return pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        pieces.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

void wrapParagraph(const std::string& paragraph, std::size_t maxChars,
                   std::vector<std::string>& lines)
{
    std::string line;
    std::size_t pos = 0;
    bool lineHasWord = false;
    while (pos < paragraph.size()) {
        // A word together with the blanks in front of it.
        std::size_t wordStart = paragraph.find_first_not_of(' ', pos);
        if (wordStart == std::string::npos) {
            line.append(paragraph, pos, std::string::npos); // trailing blanks overhang
            break;
        }
        std::size_t wordEnd = paragraph.find(' ', wordStart);
        if (wordEnd == std::string::npos)
            wordEnd = paragraph.size();
        const std::size_t fitted = line.size() + (wordEnd - pos);
        if (lineHasWord && fitted > maxChars) {
            lines.push_back(std::move(line));
            line.assign(paragraph, wordStart, wordEnd - wordStart);
        } else {
            line.append(paragraph, pos, wordEnd - pos);
        }
        lineHasWord = true;
        pos = wordEnd;
    }
    lines.push_back(std::move(line));
}

TestCanvasCall callOf(TestCanvasCall::CallKind kind, TColor color, const TextRect& rect)
{
    TestCanvasCall call;
    call.Kind = kind;
    call.Color = color;
    call.Rect = rect;
    return call;
}

} // namespace

int TestCanvas::CharWidth(const TGridFont& font)
{
    return (std::max(font.Height, 0) + 1) / 2;
}

int TestCanvas::LineHeight(const TGridFont& font)
{
    return std::max(font.Height, 0) + 2;
}

std::vector<std::string> TestCanvas::WrapLines(const TGridFont& font, std::string_view text,
                                               int width)
{
    const int charWidth = std::max(CharWidth(font), 1);
    const std::size_t maxChars = static_cast<std::size_t>(std::max(width, 0) / charWidth);
    std::vector<std::string> lines;
    for (std::string_view piece : splitAtBreaks(text))
        wrapParagraph(ExpandTabs(piece), maxChars, lines);
    return lines;
}

int TestCanvas::MeasureWrappedHeight(const TGridFont& font, std::string_view text, int width)
{
    return static_cast<int>(WrapLines(font, text, width).size()) * LineHeight(font);
}

TextExtent TestCanvas::MeasureLine(const TGridFont& font, std::string_view text)
{
    return {static_cast<int>(ExpandTabs(text).size()) * CharWidth(font), LineHeight(font)};
}

void TestCanvas::DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                                 const TextRect& rect)
{
    TestCanvasCall call = callOf(TestCanvasCall::ckText, color, rect);
    call.Font = font;
    call.Text = text;
    m_calls.push_back(std::move(call));
}

TextExtent TestCanvas::MeasureTextRun(const TGridFont& font, std::string_view text, bool prefix)
{
    const std::size_t shown = ShowRunText(text, prefix).Text.size();
    return {static_cast<int>(shown) * CharWidth(font), LineHeight(font)};
}

void TestCanvas::DrawTextRun(const TGridFont& font, std::string_view text,
                             const TextRunOptions& options, int x, int y, const TextRect& clip)
{
    const TextExtent extent = MeasureTextRun(font, text, options.Prefix);
    TestCanvasCall call =
        callOf(TestCanvasCall::ckRun, font.Color, {x, y, x + extent.Width, y + extent.Height});
    call.Font = font;
    call.Text = text;
    call.Clip = clip;
    call.RunOptions = options;
    call.Shown = ShowRunText(text, options.Prefix).Text;
    m_calls.push_back(std::move(call));
}

void TestCanvas::FillRect(const TextRect& rect, TColor color)
{
    m_calls.push_back(callOf(TestCanvasCall::ckFill, color, rect));
}

void TestCanvas::DrawLine(int x1, int y1, int x2, int y2, const TPen& pen)
{
    TestCanvasCall call = callOf(TestCanvasCall::ckLine, pen.Color, {x1, y1, x2, y2});
    call.Pen = pen;
    m_calls.push_back(std::move(call));
}

void TestCanvas::FrameRect(const TextRect& rect, const TPen& pen)
{
    TestCanvasCall call = callOf(TestCanvasCall::ckFrame, pen.Color, rect);
    call.Pen = pen;
    m_calls.push_back(std::move(call));
}

} // namespace varnok
