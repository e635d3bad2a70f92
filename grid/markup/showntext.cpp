#include "grid/markup/showntext.h"

#include "grid/markup/richtextplaintext.h"

namespace varnok {

ShownText::ShownText(std::string_view text, TTextType type)
    : m_plain(type == ttRichText ? RichTextPlainText(text) : std::string()),
      m_view(type == ttRichText ? std::string_view(m_plain) : text)
{
}

} // namespace varnok
