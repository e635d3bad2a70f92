#pragma once

#include <string>
#include <string_view>

#include "grid/markup/texttype.h"

namespace varnok {

// The text a cell that is not markup shows: a rich-text cell what it reads as, any other
// text (a formula included) as it is. Kept as a view, so plain cells are not copied; the
// cell text must outlive it.
class ShownText {
public:
    /** The shown text of `text`, whose class is `type`. */
    ShownText(std::string_view text, TTextType type);
    ShownText(const ShownText&) = delete;
    ShownText& operator=(const ShownText&) = delete;

    [[nodiscard]] std::string_view View() const { return m_view; }

private:
    std::string m_plain; // the rich text's plain text; empty for other texts
    std::string_view m_view;
};

} // namespace varnok
