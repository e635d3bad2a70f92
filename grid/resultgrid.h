#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "grid/pagelayout/printclock.h"
#include "grid/pagelayout/printlayout.h"
#include "grid/pagelayout/printsettings.h"
#include "grid/search/gridsearch.h"
#include "grid/table/basegrid.h"
#include "grid/table/griderror.h"
#include "grid/table/systemcolors.h"
#include "grid/writers/htmlsettings.h"
#include "grid/writers/saverange.h"

namespace varnok {

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
    // EGridError ("Cannot Create file ", the name and the reason) when the file cannot be
    // created.

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

    /** Prints every cell on `printer`, the pages of `pages` only. */
    void Print(PagePrinter& printer, TPageRange pages = {});
    /** Prints the block of cells `range` (corners in any order) on `printer`, the pages of
     * `pages` only (kept within the pages there are). */
    void PrintRect(const TGridRect& range, PagePrinter& printer, TPageRange pages = {});
    /** Turns the paper of `printer` to the print settings' orientation and returns its
     * printable area in 0.1 mm from (0, 0): the page prints and previews are laid out on. */
    [[nodiscard]] TextRect PreparePaper(PagePrinter& printer) const;
    /** The number of pages `range` prints on a page of `pageArea` (0.1 mm), measured on
     * `canvas`; the count the printer dialog offers before the printer is started. */
    [[nodiscard]] int CountPages(TextCanvas& canvas, const TGridRect& range,
                                 const TextRect& pageArea);
    /** Draws the preview page of the whole grid laid out on a page of `pageArea` (0.1 mm) on
     * `canvas`, which is mapped to 0.1 mm with its origin at the page's top-left corner. Unless
     * PreviewFast is set, the pages are counted at the first drawing and where each begins is kept,
     * so drawing another page lays out that page alone; a change of the settings, the page area or
     * the column widths counts them again. */
    void PrintPreview(TextCanvas& canvas, const TextRect& pageArea);
    /** The next preview counts its pages again: for cells that changed since. */
    void ForgetPreviewPages();
    /** Makes `page` the page the preview draws. */
    void SetPreviewPage(int page);
    /** One run of the page layout over PrintState's range; returns the number of pages.
     * `starts`: see PrintJob::Starts. */
    [[nodiscard]] int BuildPages(TextCanvas& canvas, TPrintMethod method, int pageCount,
                                 PagePrinter* printer = nullptr,
                                 std::vector<PageStart>* starts = nullptr);
    /** Replaces the clock the header and footer take the time and date from. */
    void SetPrintClock(std::unique_ptr<PrintClock> clock);

    TPrintSettings PrintSettings;
    TPrintState PrintState;

private:
    [[nodiscard]] TSaveRange SaveRange() const;

    // What the preview's pages were counted for; the starts hold while it stays the same.
    struct PreviewLayout {
        TPrintSettings Settings;
        TGridRect Range;
        std::vector<int> PageArea;
        std::vector<int> ColWidths;
        int ScreenResolution = 0;
        bool operator==(const PreviewLayout&) const = default;
    };
    [[nodiscard]] PreviewLayout previewLayout() const;
    [[nodiscard]] TGridRect printableRange(const TGridRect& range) const;

    GridSearch m_search{*this};
    std::unique_ptr<PrintClock> m_printClock;
    PreviewLayout m_previewLayout;
    std::vector<PageStart> m_previewStarts;
};

} // namespace varnok
