#include "grid/listrowsink.h"

#include "cacheindex/recordreader.h"
#include "cacheindex/scanview.h"
#include "grid/markup/safeanchor.h"

namespace varnok {

namespace {

constexpr std::size_t kOpenCommandLongestAddress = 128;
constexpr std::size_t kStartupLongestAddress = 385;
static_assert(kStartupLongestAddress <= kLongestListedAddress &&
                  kOpenCommandLongestAddress <= kLongestListedAddress,
              "the walk looks far enough for every listed address");

} // namespace

ListRowSink::ListRowSink(ScanMode mode, const ScanOptions& options, TBaseGrid& grid, ScanView& view)
    : m_list(grid), m_view(view),
      m_dates(options.DateFormat, VisitTimeFormatter::CurrentUtcOffset()),
      m_longestAddress(mode == ScanMode::OpenCommand ? kOpenCommandLongestAddress
                                                     : kStartupLongestAddress),
      m_listRedirects(mode == ScanMode::OpenCommand), m_textOnly(!options.ShowAllEntries),
      m_anchors(options.CellFormatHtml)
{
    // Cells are markup only when this read builds anchors: an address read as text that
    // happens to hold "</" is shown, measured and edited as the bytes the file holds.
    m_list.Begin(m_anchors, m_dates.DayFirst());
}

void ListRowSink::BeginRecords(int mostRecords)
{
    m_list.Reserve(mostRecords);
}

void ListRowSink::Record(const IndexRecordValue& record)
{
    if (record.Kind == RecordKind::Leak ||
        (record.Kind == RecordKind::Redirect && !m_listRedirects))
        return;
    // The record's address cut where this read cuts it; the text-type sample behind it is
    // looked at only when the filter asks for it, so the address is found once per record.
    if (m_textOnly && !ReadRecord(record.Bytes, record.Kind, m_longestAddress, true).TextType)
        return;
    const std::string_view listedAddress = record.Address.substr(0, m_longestAddress);
    // The grid copies both texts into its own store, so they are built in place here.
    char date[VisitTimeFormatter::kTextLength];
    const std::size_t dateLength = record.LastAccess ? m_dates.Format(*record.LastAccess, date) : 0;
    m_list.AddEntry(addressCellText(listedAddress), std::string_view(date, dateLength));
}

void ListRowSink::EndRecords()
{
    m_view.SetLineCountText(std::to_string(m_list.Finish()));
}

std::string_view ListRowSink::addressCellText(std::string_view address)
{
    if (!m_anchors)
        return address;
    m_anchor = AddressAnchor(address);
    return m_anchor;
}

} // namespace varnok
