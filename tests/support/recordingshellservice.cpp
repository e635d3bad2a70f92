#include "support/recordingshellservice.h"

namespace varnok {

bool RecordingShellService::OpenAddress(const std::string& windows1252Address)
{
    m_opened.push_back(windows1252Address);
    return Succeeds;
}

bool RecordingShellService::OpenFile(const std::string& path)
{
    m_openedFiles.push_back(path);
    return Succeeds;
}

} // namespace varnok
