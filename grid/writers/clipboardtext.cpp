#include "grid/writers/clipboardtext.h"

#include <algorithm>

#include "grid/markup/richtextplaintext.h"
#include "grid/markup/texttype.h"
#include "grid/table/basegrid.h"

namespace varnok {

std::string ClipboardText(const TBaseGrid& grid, const TGridRect& range)
{
    const int left = std::max(std::min(range.Left, range.Right), 0);
    const int right = std::min(std::max(range.Left, range.Right), grid.GetColCountEx() - 1);
    const int top = std::max(std::min(range.Top, range.Bottom), 0);
    const int bottom = std::min(std::max(range.Top, range.Bottom), grid.GetRowCountEx() - 1);
    std::string text;
    if (left > right || top > bottom)
        return text;
    const bool severalRows = bottom > top;
    for (int row = top; row <= bottom; ++row) {
        for (int col = left; col <= right; ++col) {
            if (col != left)
                text.push_back('\t');
            const std::string_view cell = grid.GetCellEx(col, row);
            if (TextType(cell, grid.EnableHTML()) == ttRichText)
                text.append(RichTextPlainText(cell));
            else
                text.append(cell);
        }
        if (severalRows)
            text.append("\r\n");
    }
    return text;
}

} // namespace varnok
