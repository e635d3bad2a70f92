#include "support/recordingclipboard.h"

namespace varnok {

void RecordingClipboard::SetText(const std::string& windows1252Bytes)
{
    m_texts.push_back(windows1252Bytes);
}

std::string RecordingClipboard::Text() const
{
    return m_texts.empty() ? std::string() : m_texts.back();
}

} // namespace varnok
