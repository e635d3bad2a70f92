#pragma once

#include <string>
#include <vector>

#include "grid/pagelayout/printclock.h"
#include "platform/pageprinter.h"
#include "support/testcanvas.h"

namespace varnok {

class TBaseGrid;

/**
 * The captions (row 0 fixed while there are entries) and `entries` rows numbered from 1,
 * each with the address http://example.com/N and the visit 05/06/2004 10:11:12.
 */
void FillNumberedList(TBaseGrid& grid, int entries);

// A printer for tests: A4 at 600 dpi (2100 x 2970 in 0.1 mm), drawing on a TestCanvas
// and remembering where each page's calls begin.
class RecordingPrinter final : public PagePrinter {
public:
    void SetOrientation(TPrinterOrientation orientation) override { Orientation = orientation; }
    [[nodiscard]] int PageWidth() const override;
    [[nodiscard]] int PageHeight() const override;
    [[nodiscard]] int ResolutionX() const override { return 600; }
    [[nodiscard]] int ResolutionY() const override { return 600; }
    [[nodiscard]] bool BeginDoc(const std::string& title) override;
    void NewPage() override;
    [[nodiscard]] bool EndDoc() override;
    [[nodiscard]] TextCanvas& Canvas() override { return canvas; }

    /** The calls drawn on each page. */
    [[nodiscard]] std::vector<std::vector<TestCanvasCall>> Pages() const;

    TestCanvas canvas;
    TPrinterOrientation Orientation = poPortrait;
    std::string Title;
    int Begun = 0;
    int Ended = 0;
    bool RefuseBegin = false;

private:
    std::vector<std::size_t> m_pageStarts;
};

// A clock stopped at Friday 05/03/2004 09:07:02.
class FixedClock final : public PrintClock {
public:
    [[nodiscard]] TPrintTime Now() const override { return {2004, 3, 5, 5, 9, 7, 2, 0}; }
};

/** Each drawn row of cells, top to bottom, as its cell texts joined by "|". */
[[nodiscard]] std::vector<std::string> RowsOf(const std::vector<TestCanvasCall>& page);
/** The calls of one kind. */
[[nodiscard]] std::vector<TestCanvasCall> CallsOf(const std::vector<TestCanvasCall>& calls,
                                                  TestCanvasCall::CallKind kind);

} // namespace varnok
