#pragma once

#include "platform/clipboard.h"

namespace varnok {

// The desktop clipboard; cell texts are decoded from Windows-1252 on the way.
class QtClipboard final : public Clipboard {
public:
    /** Replaces the clipboard contents with `text` as plain text. */
    void SetText(const std::string& text) override;
};

} // namespace varnok
