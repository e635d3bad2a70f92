#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "grid/search/findparameters.h"
#include "grid/table/gridgeometry.h"
#include "platform/shortdateformat.h"

namespace varnok {

class MatchCondition;
class TBaseGrid;

// The search of the result grid and its state: the search text (upper-cased unless
// fnMatchCase), the options, and the cell last found, from which FindNext goes on.
//
// The cells searched are the normal ones (all of them with fnIncludeFixed), or only the
// focused row or column. They are visited column by column, each from top to bottom, or
// row by row (fnDirectionLeftRight), each from left to right; with fnBackward the other
// way round. One step never wraps around: it ends at the last cell of the range, and
// after a step that found nothing the next one starts again at the first cell.
class GridSearch {
public:
    explicit GridSearch(TBaseGrid& grid);
    ~GridSearch();
    GridSearch(const GridSearch&) = delete;
    GridSearch& operator=(const GridSearch&) = delete;

    /** A new search: the first matching cell, or (-1, -1); kept as the cell to go on from. */
    GridCell FindFirst(std::string_view text, TFindParameters options);
    /** The next match of the last search after its last found cell, or (-1, -1); kept likewise. */
    GridCell FindNext();
    /** One search step after `start` ((-1, -1) for the first cell); keeps text and options. */
    GridCell Find(GridCell start, std::string_view text, TFindParameters options);
    /** True when the cell matches the kept text and options. */
    [[nodiscard]] bool MatchCell(int col, int row) const;

    [[nodiscard]] const std::string& FindText() const { return m_text; }
    [[nodiscard]] TFindParameters FindOptions() const { return m_options; }

private:
    struct SearchRange {
        int MinCol = 0;
        int MaxCol = -1;
        int MinRow = 0;
        int MaxRow = -1;
    };

    void keepQuery(std::string_view text, TFindParameters options);
    [[nodiscard]] bool hasCellsToSearch() const;
    [[nodiscard]] SearchRange rangeToSearch() const;
    [[nodiscard]] GridCell startCell(GridCell from, const SearchRange& range) const;
    void narrowToFocus(GridCell from, SearchRange& range, GridCell& start) const;
    [[nodiscard]] GridCell scan(GridCell start, const SearchRange& range) const;
    [[nodiscard]] std::string_view comparedText(int col, int row) const;
    void moveFocusTo(GridCell cell);

    TBaseGrid& m_grid;
    std::string m_text;
    TFindParameters m_options;
    GridCell m_findCell;
    ShortDateFormat m_dates;
    std::unique_ptr<MatchCondition> m_condition; // the kept text read as a condition
    // Cell texts are upper-cased into these, so that a scan allocates nothing per cell.
    mutable std::string m_plainBuffer;
    mutable std::string m_casedBuffer;
};

} // namespace varnok
