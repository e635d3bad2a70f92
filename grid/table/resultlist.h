#pragma once

#include <string_view>

namespace varnok {

class TBaseGrid;

// The result list as the grid holds it: the caption row ("No.", "URL   ", "Latest visit"),
// then one row per listed entry with its running number, its address cell and the time of
// its latest visit. The reads that fill the list and the commands that empty it all keep
// to the rules here.

// The list's columns.
inline constexpr int kNumberColumn = 0;
inline constexpr int kAddressColumn = 1;
inline constexpr int kVisitColumn = 2;

/** Writes the captions into row 0. */
void WriteListCaptions(TBaseGrid& grid);

/** Before the open command reads: the caption row and one empty row; the sort column stays. */
void ResetListForRead(TBaseGrid& grid);

/** The Clear command: every cell emptied, captions too, no sort column, and two rows. */
void ClearList(TBaseGrid& grid);

// Writes the entries of one read. Reads never clear the grid: the first entry goes into the
// last row the list has (row 1 of an empty list) and the others below it, each numbered
// after its row.
class ResultListWriter {
public:
    explicit ResultListWriter(TBaseGrid& grid) : m_grid(grid) {}

    /** Writes the caption row and fixes it; a grid shorter than the empty list gets its two rows.
     * `markupCells`: the entries are address anchors, shown as markup; otherwise every cell shows
     * its bytes as they are. `dayFirst`: the visit times are written day first, which the sort
     * needs to read them as times. */
    void Begin(bool markupCells, bool dayFirst);
    /** Makes room for up to `entries` more entries, so the list grows in place. */
    void Reserve(int entries);
    void AddEntry(std::string_view addressCell, std::string_view visitText);
    /** Gives the grid its exact row count and returns the number of rows below the captions. */
    [[nodiscard]] int Finish();

private:
    TBaseGrid& m_grid;
    int m_nextRow = 1;
};

} // namespace varnok
