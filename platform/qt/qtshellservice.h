#pragma once

#include "platform/shellservice.h"

namespace varnok {

// The desktop's open action through QDesktopServices.
class QtShellService final : public ShellService {
public:
    /** Opens the decoded address as a URL; false for an invalid URL or when the desktop fails. */
    bool OpenAddress(const std::string& windows1252Address) override;
    bool OpenFile(const std::string& path) override;
};

} // namespace varnok
