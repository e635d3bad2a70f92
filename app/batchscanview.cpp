#include "app/batchscanview.h"

namespace varnok {

void BatchScanView::FileErrorDetail(ScanStretch stretch, std::int64_t position,
                                    const std::string& reason)
{
    if (!m_failure.empty())
        return;
    m_failure = reason + " while ";
    switch (stretch) {
    case ScanStretch::Opening:
        m_failure += "opening it";
        break;
    case ScanStretch::TableProbe:
        m_failure += "reading the hash table at byte " + std::to_string(position);
        break;
    case ScanStretch::RecordWalk:
        m_failure += "reading the records from byte " + std::to_string(position);
        break;
    }
}

} // namespace varnok
