#pragma once

#include <string>
#include <vector>

#include "platform/shellservice.h"

// A shell for tests: keeps every address it was asked to open, in order, and answers with
// `Succeeds`.
class RecordingShellService final : public ShellService {
public:
    bool OpenAddress(const std::string& windows1252Address) override;

    [[nodiscard]] const std::vector<std::string>& Opened() const { return m_opened; }

    bool Succeeds = true;

private:
    std::vector<std::string> m_opened;
};
