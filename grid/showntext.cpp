#include "grid/showntext.h"

#include "grid/richtextplaintext.h"

ShownText::ShownText(std::string_view text, TTextType type)
    : m_plain(type == ttRichText ? RichTextPlainText(text) : std::string()),
      m_view(type == ttRichText ? std::string_view(m_plain) : text)
{
}
