#include "grid/pagelayout/printwrap.h"

#include "platform/textcanvas.h"

namespace varnok {

namespace {

constexpr std::string_view kSeparators = " \t\r\n";

bool fits(TextCanvas& canvas, const TGridFont& font, std::string_view text, int width)
{
    return canvas.MeasureLine(font, text).Width <= width;
}

// The most characters of `word` (at least one) that fit in `width`. The prefixes tried grow
// by doubling before the search narrows down, so the work stays in proportion to the part
// taken, however long the word is.
std::size_t fittingPrefix(TextCanvas& canvas, const TGridFont& font, std::string_view word,
                          int width)
{
    std::size_t low = 1; // fits, or must be taken anyway
    std::size_t high = 2;
    while (high < word.size() && fits(canvas, font, word.substr(0, high), width)) {
        low = high;
        high *= 2;
    }
    if (high >= word.size()) {
        if (fits(canvas, font, word, width))
            return word.size();
        high = word.size();
    }
    --high; // the largest count not known to be too wide
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (fits(canvas, font, word.substr(0, middle), width))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void appendBroken(TextCanvas& canvas, const TGridFont& font, std::string_view word, int width,
                  std::string& out)
{
    if (fits(canvas, font, word, width)) {
        out.append(word);
        return;
    }
    while (!word.empty()) {
        const std::size_t taken = fittingPrefix(canvas, font, word, width);
        out.append(word.substr(0, taken));
        word.remove_prefix(taken);
        if (!word.empty())
            out.append("\r\n");
    }
}

} // namespace

std::string BreakLongWords(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                           int width)
{
    // Nearly every cell fits as a whole, and then so does each of its words.
    if (fits(canvas, font, text, width))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t wordEnd = std::min(text.find_first_of(kSeparators, pos), text.size());
        appendBroken(canvas, font, text.substr(pos, wordEnd - pos), width, out);
        const std::size_t nextWord =
            std::min(text.find_first_not_of(kSeparators, wordEnd), text.size());
        out.append(text.substr(wordEnd, nextWord - wordEnd));
        pos = nextWord;
    }
    return out;
}

} // namespace varnok
