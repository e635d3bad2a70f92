#pragma once

#include "platform/canvastypes.h"

namespace varnok {

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

enum TSortDirection { sdAscending, sdDescending };

// How the grid sorts its rows. Header clicks change Column and Direction (Clear sets Column
// back to 0); the constants are how this program always sorts, named so that the code
// relying on them says so.
struct TSortSettings {
    bool Show = true; // header clicks sort, and the sorted column's header shows the indicator
    int Column = 0;   // column of the last sort; 0, the fixed column, means none yet
    int Row = 0;      // the header row that takes sort clicks and shows the indicator
    TSortDirection Direction = sdAscending;
    // The read that wrote the visit times wrote them day first (day/month/year); they sort
    // by the time they stand for, read in that order.
    bool VisitDayFirst = false;

    // A tie in the sort column is broken by the columns to its right, in order.
    static constexpr bool Full = true;
    // No guessing of numbers or dates: every column compares as text.
    static constexpr bool AutoFormat = false;
    // Empty cells get no place of their own: they are the smallest text.
    static constexpr bool IgnoreBlanks = false;
    // The fixed columns keep their texts in place; only the normal cells move.
    static constexpr bool NormalCellsOnly = true;
    // Clicks on the header of a fixed column do not sort.
    static constexpr bool FixedCols = false;
    // Whole rows move, not only the sort column's cells.
    static constexpr bool SingleColumn = false;
    // One sort column at a time, no index of several.
    static constexpr bool IndexShow = false;
};

struct TColumnSizeSettings {
    bool Save = true;
    std::string Key = "Varnok5.ini";
    std::string Section = "ColumnSizes";
    bool SynchWithGrid = true;
    bool Stretch = false;
};

} // namespace varnok
