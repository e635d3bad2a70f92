#pragma once

#include <cstdint>
#include <string>

#include "cacheindex/scanview.h"

namespace varnok {

// A scan view for a run without a window: nothing is shown, and the first stretch that could
// not be read is remembered with where and why it failed.
class BatchScanView final : public ScanView {
public:
    void SetStatusText(const std::string& /*text*/) override {}
    void SetIndexSizeText(const std::string& /*text*/) override {}
    void SetLineCountText(const std::string& /*text*/) override {}
    void ShowFileError(const std::string& text, const std::string& /*caption*/) override
    {
        m_errorText = text;
    }
    void FinishRead(bool /*giveFocus*/) override {}
    void FileErrorDetail(ScanStretch stretch, std::int64_t position,
                         const std::string& reason) override;
    /** Where and why the read failed; empty when every stretch was read. */
    [[nodiscard]] std::string Failure() const
    {
        return m_failure.empty() ? m_errorText : m_failure;
    }

private:
    std::string m_errorText; // the message of the last stretch reported
    std::string m_failure;
};

} // namespace varnok
