#pragma once

#include <string>
#include <vector>

#include "platform/shellservice.h"

namespace varnok {

// A shell for tests: keeps every address and every file it was asked to open, in order, and
// answers with `Succeeds`.
class RecordingShellService final : public ShellService {
public:
    bool OpenAddress(const std::string& windows1252Address) override;
    bool OpenFile(const std::string& path) override;

    [[nodiscard]] const std::vector<std::string>& Opened() const { return m_opened; }
    [[nodiscard]] const std::vector<std::string>& OpenedFiles() const { return m_openedFiles; }

    bool Succeeds = true;

private:
    std::vector<std::string> m_opened;
    std::vector<std::string> m_openedFiles;
};

} // namespace varnok
