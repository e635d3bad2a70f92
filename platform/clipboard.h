#pragma once

#include <string>

namespace varnok {

// The system clipboard as the grid uses it: its contents replaced by plain text. The
// text is given as Windows-1252 bytes, the way cells hold it; the implementation decodes.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void SetText(const std::string& windows1252Bytes) = 0;
};

} // namespace varnok
