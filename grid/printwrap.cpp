#include "grid/printwrap.h"

#include "platform/textcanvas.h"

namespace {

constexpr std::string_view kSeparators = " \t\r\n";

// The most characters of `word` (at least one) that fit in `width`.
std::size_t fittingPrefix(TextCanvas& canvas, const TGridFont& font, std::string_view word,
                          int width)
{
    std::size_t low = 1;
    std::size_t high = word.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (canvas.MeasureLine(font, word.substr(0, middle)).Width <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void appendBroken(TextCanvas& canvas, const TGridFont& font, std::string_view word, int width,
                  std::string& out)
{
    while (canvas.MeasureLine(font, word).Width > width && word.size() > 1) {
        const std::size_t taken = fittingPrefix(canvas, font, word, width);
        out.append(word.substr(0, taken));
        out.append("\r\n");
        word.remove_prefix(taken);
    }
    out.append(word);
}

} // namespace

std::string BreakLongWords(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                           int width)
{
    // Nearly every cell fits as a whole, and then so does each of its words.
    if (canvas.MeasureLine(font, text).Width <= width)
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
