#pragma once

#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace varnok {

// A clipboard for tests: keeps every text it was given, in order.
class RecordingClipboard final : public Clipboard {
public:
    void SetText(const std::string& windows1252Bytes) override;

    /** The text of the last SetText, empty when there was none. */
    [[nodiscard]] std::string Text() const;
    [[nodiscard]] const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::vector<std::string> m_texts;
};

} // namespace varnok
