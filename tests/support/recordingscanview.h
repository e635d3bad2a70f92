#pragma once

#include <string>

#include "cacheindex/scanview.h"

namespace varnok {

// Keeps the reports of a read; shows nothing.
class RecordingScanView : public ScanView {
public:
    void SetStatusText(const std::string& text) override { StatusText = text; }
    void SetIndexSizeText(const std::string& text) override { IndexSizeText = text; }
    void SetLineCountText(const std::string& text) override { LineCountText = text; }
    void ShowFileError(const std::string& text, const std::string& caption) override;
    void FinishRead(bool giveFocus) override;

    std::string StatusText;
    std::string IndexSizeText;
    std::string LineCountText;
    std::string LastErrorText;
    std::string LastErrorCaption;
    int ErrorCount = 0;
    int FinishCount = 0;
    bool FocusGiven = false;
};

} // namespace varnok
