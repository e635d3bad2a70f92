#include "grid/search/gridsearch.h"

#include <algorithm>
#include <climits>

#include "grid/markup/markupplaintext.h"
#include "grid/markup/texttype.h"
#include "grid/search/ansiupper.h"
#include "grid/search/matchcondition.h"
#include "grid/table/basegrid.h"

namespace varnok {

namespace {

// One step along a row or column. Coordinates come from callers and from the focus, so
// the step saturates instead of overflowing; a coordinate past the range ends the scan.
int stepped(int value, int step)
{
    return static_cast<int>(std::clamp(static_cast<long long>(value) + step,
                                       static_cast<long long>(INT_MIN),
                                       static_cast<long long>(INT_MAX)));
}

bool isInside(int value, int low, int high)
{
    return low <= value && value <= high;
}

} // namespace

GridSearch::GridSearch(TBaseGrid& grid) : m_grid(grid), m_dates(SystemShortDateFormat()) {}

GridSearch::~GridSearch() = default;

GridCell GridSearch::FindFirst(std::string_view text, TFindParameters options)
{
    m_findCell = Find(GridCell{}, text, options);
    return m_findCell;
}

GridCell GridSearch::FindNext()
{
    m_findCell = Find(m_findCell, m_text, m_options);
    return m_findCell;
}

GridCell GridSearch::Find(GridCell start, std::string_view text, TFindParameters options)
{
    keepQuery(text, options);
    if (!hasCellsToSearch())
        return {};
    SearchRange range = rangeToSearch();
    GridCell first = startCell(start, range);
    narrowToFocus(start, range, first);
    const GridCell found = scan(first, range);
    if (found != GridCell{} && m_options.Contains(fnAutoGoto))
        moveFocusTo(found);
    return found;
}

bool GridSearch::MatchCell(int col, int row) const
{
    const std::string_view text = comparedText(col, row);
    if (m_options.Contains(fnMatchRegular))
        return m_condition && m_condition->MatchesCased(text);
    if (m_text.empty())
        return false;
    const std::size_t pos = text.find(m_text);
    if (pos == std::string_view::npos)
        return false;
    if (m_options.Contains(fnMatchStart) && pos != 0)
        return false;
    return !m_options.Contains(fnMatchFull) || text == m_text;
}

void GridSearch::keepQuery(std::string_view text, TFindParameters options)
{
    const bool caseSensitive = options.Contains(fnMatchCase);
    std::string cased = caseSensitive ? std::string(text) : AnsiUpperCase(text);
    const bool conditionStale =
        !m_condition || cased != m_text || caseSensitive != m_options.Contains(fnMatchCase);
    m_text = std::move(cased);
    m_options = options;
    if (!options.Contains(fnMatchRegular))
        m_condition.reset();
    else if (conditionStale)
        m_condition = std::make_unique<MatchCondition>(m_text, caseSensitive, m_dates);
}

bool GridSearch::hasCellsToSearch() const
{
    const int cols = m_grid.GetColCountEx();
    const int rows = m_grid.GetRowCountEx();
    return cols != 0 && cols != m_grid.GetFixedColsEx() && rows != 0 &&
           rows != m_grid.GetFixedRowsEx();
}

GridSearch::SearchRange GridSearch::rangeToSearch() const
{
    const bool withFixed = m_options.Contains(fnIncludeFixed);
    return {withFixed ? 0 : m_grid.GetFixedColsEx(), m_grid.GetColCountEx() - 1,
            withFixed ? 0 : m_grid.GetFixedRowsEx(), m_grid.GetRowCountEx() - 1};
}

// The cell after `from` in the order of the scan, or the range's first cell for a new
// search and for a cell past the range's end.
GridCell GridSearch::startCell(GridCell from, const SearchRange& range) const
{
    const bool backward = m_options.Contains(fnBackward);
    const GridCell first =
        backward ? GridCell{range.MaxCol, range.MaxRow} : GridCell{range.MinCol, range.MinRow};
    if (from == GridCell{})
        return first;
    const int step = backward ? -1 : 1;
    const auto notPast = [backward](int value, int low, int high) {
        return backward ? value >= low : value <= high;
    };
    const bool colFirst = m_options.Contains(fnDirectionLeftRight);
    const bool colNotPast = notPast(from.Col, range.MinCol, range.MaxCol);
    const bool rowNotPast = notPast(from.Row, range.MinRow, range.MaxRow);
    if (colFirst ? colNotPast : rowNotPast)
        return colFirst ? GridCell{stepped(from.Col, step), from.Row}
                        : GridCell{from.Col, stepped(from.Row, step)};
    if (colFirst ? rowNotPast : colNotPast)
        return colFirst ? GridCell{from.Col, stepped(from.Row, step)}
                        : GridCell{stepped(from.Col, step), from.Row};
    return first;
}

// Searching the focused row (column) confines the range to it and goes on from the
// column (row) after the last found cell, whichever the direction.
void GridSearch::narrowToFocus(GridCell from, SearchRange& range, GridCell& start) const
{
    const bool fresh = from == GridCell{};
    const bool backward = m_options.Contains(fnBackward);
    const int step = backward ? -1 : 1;
    if (m_options.Contains(fnFindInCurrentRow)) {
        range.MinRow = range.MaxRow = m_grid.Row();
        const int freshCol = backward ? range.MaxCol : range.MinCol;
        start = {fresh ? freshCol : stepped(from.Col, step), m_grid.Row()};
    }
    if (m_options.Contains(fnFindInCurrentCol)) {
        range.MinCol = range.MaxCol = m_grid.Col();
        const int freshRow = backward ? range.MaxRow : range.MinRow;
        start = {m_grid.Col(), fresh ? freshRow : stepped(from.Row, step)};
    }
}

// Column by column (row by row) from the start cell; each further column (row) starts
// again at the range's first row (column). A start coordinate outside the range skips
// the rest of its column (row).
GridCell GridSearch::scan(GridCell start, const SearchRange& range) const
{
    const bool rowByRow = m_options.Contains(fnDirectionLeftRight);
    const int step = m_options.Contains(fnBackward) ? -1 : 1;
    const int outerLow = rowByRow ? range.MinRow : range.MinCol;
    const int outerHigh = rowByRow ? range.MaxRow : range.MaxCol;
    const int innerLow = rowByRow ? range.MinCol : range.MinRow;
    const int innerHigh = rowByRow ? range.MaxCol : range.MaxRow;
    const int innerRestart = step > 0 ? innerLow : innerHigh;
    int inner = rowByRow ? start.Col : start.Row;
    for (int outer = rowByRow ? start.Row : start.Col; isInside(outer, outerLow, outerHigh);
         outer += step) {
        for (; isInside(inner, innerLow, innerHigh); inner = stepped(inner, step)) {
            const GridCell cell = rowByRow ? GridCell{inner, outer} : GridCell{outer, inner};
            if (MatchCell(cell.Col, cell.Row))
                return cell;
        }
        inner = innerRestart;
    }
    return {};
}

// The cell's text as the options compare it: without its tags for a markup cell with
// fnIgnoreHTMLTags (as the cell editor shows it), upper-cased unless fnMatchCase.
std::string_view GridSearch::comparedText(int col, int row) const
{
    std::string_view text = m_grid.GetCellEx(col, row);
    if (m_options.Contains(fnIgnoreHTMLTags) && TextType(text, m_grid.EnableHTML()) == ttMarkup) {
        m_plainBuffer = MarkupPlainText(text);
        text = m_plainBuffer;
    }
    if (m_options.Contains(fnMatchCase))
        return text;
    AnsiUpperCaseInto(text, m_casedBuffer);
    return m_casedBuffer;
}

// The selection collapses onto the cell as on any focus move.
void GridSearch::moveFocusTo(GridCell cell)
{
    m_grid.FocusCell(cell.Col, cell.Row);
}

} // namespace varnok
