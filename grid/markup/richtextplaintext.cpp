#include "grid/markup/richtextplaintext.h"

#include <array>
#include <vector>

#include "platform/hexdigit.h"

namespace varnok {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Groups that hold document data rather than visible text.
bool isHiddenDestination(std::string_view word)
{
    static constexpr std::array<std::string_view, 16> names = {"fonttbl",    "colortbl",
                                                               "stylesheet", "info",
                                                               "pict",       "object",
                                                               "header",     "footer",
                                                               "headerl",    "headerr",
                                                               "footerl",    "footerr",
                                                               "listtable",  "listoverridetable",
                                                               "themedata",  "datastore"};
    for (std::string_view name : names) {
        if (word == name)
            return true;
    }
    return false;
}

// Windows-1252 bytes of the typographic control words.
char symbolFor(std::string_view word)
{
    if (word == "tab")
        return '\t';
    if (word == "emdash")
        return '\x97';
    if (word == "endash")
        return '\x96';
    if (word == "bullet")
        return '\x95';
    if (word == "lquote")
        return '\x91';
    if (word == "rquote")
        return '\x92';
    if (word == "ldblquote")
        return '\x93';
    if (word == "rdblquote")
        return '\x94';
    return '\0';
}

// Characters outside Windows-1252's ASCII and Latin-1 ranges have no single byte here.
char unicodeToByte(long code)
{
    if (code < 0)
        code += 65536; // \u takes a signed 16-bit value
    if ((code >= 0x20 && code < 0x80) || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    return '?';
}

class RtfReader {
public:
    explicit RtfReader(std::string_view text) : m_text(text) {}

    std::string Run()
    {
        m_hidden.push_back(false);
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '{')
                m_hidden.push_back(m_hidden.back());
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                controlSequence();
            else if (c != '\r' && c != '\n')
                emit(c);
        }
        return std::move(m_result);
    }

private:
    void closeGroup()
    {
        if (m_hidden.size() > 1)
            m_hidden.pop_back();
    }

    void emit(char c)
    {
        if (m_skipAfterUnicode > 0) {
            --m_skipAfterUnicode;
            return;
        }
        if (!m_hidden.back())
            m_result.push_back(c);
    }

    void emitBreak()
    {
        if (!m_hidden.back())
            m_result.append("\r\n");
    }

    void controlSequence()
    {
        if (m_pos >= m_text.size())
            return;
        const char c = m_text[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const std::size_t wordStart = m_pos;
        while (m_pos < m_text.size() && isLetter(m_text[m_pos]))
            ++m_pos;
        const std::string_view word = m_text.substr(wordStart, m_pos - wordStart);
        long parameter = 0;
        const bool hasParameter = readParameter(parameter);
        if (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos; // the blank only ends the control word
        controlWord(word, hasParameter, parameter);
    }

    bool readParameter(long& parameter)
    {
        const std::size_t start = m_pos;
        bool negative = false;
        if (m_pos < m_text.size() && m_text[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        long value = 0;
        std::size_t digits = 0;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos])) {
            if (digits < 9) // longer numbers are nonsense; keep the value bounded
                value = value * 10 + (m_text[m_pos] - '0');
            ++digits;
            ++m_pos;
        }
        if (digits == 0) {
            m_pos = start;
            return false;
        }
        parameter = negative ? -value : value;
        return true;
    }

    void controlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            emit(c);
            break;
        case '~':
            emit('\xA0');
            break;
        case '_':
            emit('-');
            break;
        case '*':
            m_hidden.back() = true; // an optional destination this reader does not know
            break;
        case '\'':
            hexByte();
            break;
        case '\r':
        case '\n':
            emitBreak();
            break;
        default:
            break; // "\-" (optional hyphen) and unknown symbols show nothing
        }
    }

    void hexByte()
    {
        if (m_pos + 1 < m_text.size()) {
            const int high = HexDigitValue(m_text[m_pos]);
            const int low = HexDigitValue(m_text[m_pos + 1]);
            if (high >= 0 && low >= 0) {
                m_pos += 2;
                emit(static_cast<char>(high * 16 + low));
            }
        }
    }

    void controlWord(std::string_view word, bool hasParameter, long parameter)
    {
        if (isHiddenDestination(word)) {
            m_hidden.back() = true;
        } else if (word == "par" || word == "line") {
            emitBreak();
        } else if (word == "uc" && hasParameter) {
            m_unicodeFallback = parameter < 0 ? 0 : parameter;
        } else if (word == "u" && hasParameter) {
            emit(unicodeToByte(parameter));
            m_skipAfterUnicode = m_unicodeFallback;
        } else if (const char symbol = symbolFor(word); symbol != '\0') {
            emit(symbol);
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_result;
    std::vector<bool> m_hidden; // one entry per open group
    long m_unicodeFallback = 1;
    long m_skipAfterUnicode = 0;
};

} // namespace

std::string RichTextPlainText(std::string_view text)
{
    if (!text.starts_with("{\\rtf"))
        return std::string(text);
    return RtfReader(text).Run();
}

} // namespace varnok
