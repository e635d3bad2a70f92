#pragma once

#include <ostream>
#include <string>

#include "grid/basegrid.h"
#include "grid/griderror.h"
#include "grid/gridsearch.h"
#include "grid/htmlsettings.h"
#include "grid/saverange.h"
#include "grid/systemcolors.h"

class Clipboard;

// The grid of the result list: the cell store with its exports (text, separated values,
// HTML, clipboard) and its search. Sorting, drawing and printing build on it elsewhere.
class TResultGrid : public TBaseGrid {
public:
    TResultGrid() = default;

    // The search (see GridSearch), with its state kept between the calls.
    GridCell FindFirst(std::string_view text, TFindParameters options) {
        return m_search.FindFirst(text, options);
    }
    GridCell FindNext() { return m_search.FindNext(); }
    GridCell Find(GridCell start, std::string_view text, TFindParameters options) {
        return m_search.Find(start, text, options);
    }
    [[nodiscard]] bool MatchCell(int col, int row) const { return m_search.MatchCell(col, row); }
    [[nodiscard]] GridSearch& Search() { return m_search; }

    // Each writer has a stream form, which reports a failed stream by returning false, and
    // a file form, which replaces the file only with complete contents and raises
    // EGridError ("Cannot Create file " and the name) when the file cannot be created.

    /** Column-aligned text of every row, captions included. */
    [[nodiscard]] bool SaveToASCII(std::ostream& stream) const;
    void SaveToASCII(const std::string& fileName) const;
    /** Values separated by CSVSeparator, one line per row of the save range. */
    [[nodiscard]] bool SaveToCSV(std::ostream& stream) const;
    void SaveToCSV(const std::string& fileName) const;
    /** An HTML table of the save range. */
    [[nodiscard]] bool SaveToHTML(std::ostream& stream) const;
    void SaveToHTML(const std::string& fileName) const;

    /** Replaces the clipboard's contents with the text of the cells in Selection. */
    void CopySelectionToClipboard(Clipboard& clipboard) const;

    // The block of cells the CSV and HTML writers write.
    [[nodiscard]] int GetSaveStartCol() const;
    [[nodiscard]] int GetSaveStartRow() const;
    [[nodiscard]] int GetSaveEndCol() const;
    [[nodiscard]] int GetSaveEndRow() const;

    char CSVSeparator = ';';  // '\0' means ","
    bool IncludeFixedCells = true;  // CSV and HTML include the caption row and number column
    bool QuoteEmptyCSVCells = true; // an empty cell becomes "" in CSV
    THTMLSettings HTMLSettings;
    TColor FixedColor = clBtnFace;
    TColor Color = clWindow;
    // RGB values of the system colours, as the window's palette has them.
    TSystemColorTable SystemColors;

private:
    [[nodiscard]] TSaveRange SaveRange() const;

    GridSearch m_search{*this};
};
