#pragma once

#include <string>

namespace varnok {

// The desktop's "open" action for an address or a local file, shown in a normal window (a
// web address opens in the default browser). The address is given as Windows-1252 bytes, the way
// cells hold it; the implementation decodes. Which addresses may be opened at all is
// decided before this is called.
class ShellService {
public:
    virtual ~ShellService() = default;
    /** Opens `windows1252Address`; false when the desktop could not open it. */
    virtual bool OpenAddress(const std::string& windows1252Address) = 0;
    /** Opens the local file `path` (the file system's bytes) with the desktop's application for
     * it; false when there is none or it could not start. */
    virtual bool OpenFile(const std::string& path) = 0;
};

} // namespace varnok
