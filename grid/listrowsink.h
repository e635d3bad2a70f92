#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cacheindex/indexscan.h"
#include "cacheindex/recordsink.h"
#include "cacheindex/visittime.h"
#include "grid/table/resultlist.h"

namespace varnok {

class ScanView;
class TBaseGrid;

// How a read turns records into rows; each set elsewhere and read at the start of a read.
struct ScanOptions {
    int DateFormat = 1;          // 2: day/month/year; anything else month/day/year
    bool ShowAllEntries = true;  // false: only records whose header sample names a text type
    bool CellFormatHtml = false; // addresses as anchors
};

// Turns the records of one read into the rows of the result list: the records the read
// lists (redirects by the open command only; with "Show text only", only those whose header
// sample names a text type), each numbered after its row, with its address cut to the
// read's longest address (plain, or as an anchor) and the text of its latest visit.
class ListRowSink final : public RecordSink {
public:
    // Writes the caption row at once, before the read opens its file.
    ListRowSink(ScanMode mode, const ScanOptions& options, TBaseGrid& grid, ScanView& view);

    void BeginRecords(int mostRecords) override;
    void Record(const IndexRecordValue& record) override;
    // Gives the grid its row count and the view the number of lines.
    void EndRecords() override;
    /** The list needs a record's address, latest visit and bytes alone. */
    [[nodiscard]] bool WantsEveryField() const override { return false; }

private:
    // The text of the address cell; valid until the next call.
    [[nodiscard]] std::string_view addressCellText(std::string_view address);

    ResultListWriter m_list;
    ScanView& m_view;
    VisitTimeFormatter m_dates;
    std::size_t m_longestAddress;
    bool m_listRedirects;
    bool m_textOnly;
    bool m_anchors;
    std::string m_anchor; // the last address cell built as an anchor
};

} // namespace varnok
