#include "support/recordingscanview.h"

namespace varnok {

void RecordingScanView::ShowFileError(const std::string& text, const std::string& caption)
{
    LastErrorText = text;
    LastErrorCaption = caption;
    ++ErrorCount;
}

void RecordingScanView::FinishRead(bool giveFocus)
{
    ++FinishCount;
    FocusGiven = giveFocus;
}

} // namespace varnok
