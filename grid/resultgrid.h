#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "grid/pagelayout/printclock.h"
#include "grid/pagelayout/printsettings.h"
#include "grid/search/gridsearch.h"
#include "grid/table/basegrid.h"
#include "grid/table/griderror.h"
#include "grid/table/systemcolors.h"
#include "grid/writers/htmlsettings.h"
#include "grid/writers/saverange.h"

class Clipboard;
class PagePrinter;
class TextCanvas;

// The grid of the result list: the cell store with its exports (text, separated values,
// HTML, clipboard), its search and its printed pages. Sorting and drawing build on it
// elsewhere.
class TResultGrid : public TBaseGrid {
public:
    TResultGrid();
    ~TResultGrid() override;

    // The search (see GridSearch), with its state kept between the calls.
    GridCell FindFirst(std::string_view text, TFindParameters options)
    {
        return m_search.FindFirst(text, options);
    }
    GridCell FindNext() { return m_search.FindNext(); }
    GridCell Find(GridCell start, std::string_view text, TFindParameters options)
    {
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

    char CSVSeparator = ';';        // '\0' means ","
    bool IncludeFixedCells = true;  // CSV and HTML include the caption row and number column
    bool QuoteEmptyCSVCells = true; // an empty cell becomes "" in CSV
    THTMLSettings HTMLSettings;
    TColor FixedColor = clBtnFace;
    TColor Color = clWindow;
    // RGB values of the system colours, as the window's palette has them.
    TSystemColorTable SystemColors;

    // Printing lays the cells out in pages in tenths of a millimetre, the same on paper, in
    // a PDF file and in the preview. A printer that cannot start or finish the document
    // raises EGridError.

    /** Prints every cell on `printer`. */
    void Print(PagePrinter& printer);
    /** Prints the block of cells `range` (corners in any order) on `printer`. */
    void PrintRect(const TGridRect& range, PagePrinter& printer);
    /**
     * Draws the preview page of the whole grid for a paint area of `rect` screen pixels on
     * `canvas`, which is mapped to 0.1 mm with its origin at the area's top-left corner;
     * the page is as large as the area. Counts the pages first unless PreviewFast is set.
     */
    void PrintPreview(TextCanvas& canvas, const TextRect& rect);
    /** Makes `page` the page the preview draws. */
    void SetPreviewPage(int page);
    /** One run of the page layout over PrintState's range; returns the number of pages. */
    [[nodiscard]] int BuildPages(TextCanvas& canvas, TPrintMethod method, int pageCount,
                                 PagePrinter* printer = nullptr);
    /** Replaces the clock the header and footer take the time and date from. */
    void SetPrintClock(std::unique_ptr<PrintClock> clock);

    TPrintSettings PrintSettings;
    TPrintState PrintState;

private:
    [[nodiscard]] TSaveRange SaveRange() const;

    GridSearch m_search{*this};
    std::unique_ptr<PrintClock> m_printClock;
};
