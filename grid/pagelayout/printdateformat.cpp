#include "grid/pagelayout/printdateformat.h"

#include <array>

#include "platform/asciicase.h"

namespace varnok {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::size_t kShortNameLength = 3;

std::string padded(int value, std::size_t digits)
{
    std::string text = std::to_string(value);
    if (text.size() < digits)
        text.insert(0, digits - text.size(), '0');
    return text;
}

// A name from a table by a number counted from `first`; "?" out of range.
template <std::size_t N>
std::string nameOf(const std::array<const char*, N>& names, int number, int first, bool shortName)
{
    const int index = number - first;
    if (index < 0 || index >= static_cast<int>(N))
        return "?";
    const std::string name = names[static_cast<std::size_t>(index)];
    return shortName ? name.substr(0, kShortNameLength) : name;
}

std::string numberOrName(int number, std::size_t run, const std::string& shortName,
                         const std::string& longName)
{
    switch (run) {
    case 1:
        return std::to_string(number);
    case 2:
        return padded(number, 2);
    case 3:
        return shortName;
    default:
        return longName;
    }
}

class PatternWriter {
public:
    PatternWriter(std::string_view pattern, const TPrintTime& time)
        : m_pattern(pattern), m_time(time)
    {
    }

    std::string Write()
    {
        while (m_pos < m_pattern.size()) {
            const char c = m_pattern[m_pos];
            if (c == '\'' || c == '"')
                copyQuoted(c);
            else
                writeRun(AsciiLower(c));
        }
        return std::move(m_out);
    }

private:
    void copyQuoted(char quote)
    {
        const std::size_t end = m_pattern.find(quote, m_pos + 1);
        const std::size_t stop = end == std::string_view::npos ? m_pattern.size() : end;
        m_out.append(m_pattern.substr(m_pos + 1, stop - m_pos - 1));
        m_pos = stop == m_pattern.size() ? stop : stop + 1;
    }

    std::size_t takeRun(char letter)
    {
        std::size_t run = 0;
        while (m_pos < m_pattern.size() && AsciiLower(m_pattern[m_pos]) == letter) {
            ++m_pos;
            ++run;
        }
        return run;
    }

    void writeRun(char letter)
    {
        // Separators between an hour and "mm" keep the minutes reading ("hh:mm").
        if (std::string_view("ymdhnsz").find(letter) == std::string_view::npos) {
            m_out.push_back(m_pattern[m_pos++]);
            return;
        }
        const bool afterHour = m_lastWasHour;
        m_lastWasHour = false;
        const std::size_t run = takeRun(letter);
        switch (letter) {
        case 'y':
            m_out += run <= 2 ? padded(m_time.Year % 100, 2) : padded(m_time.Year, 4);
            break;
        case 'm':
            if (afterHour && run <= 2)
                m_out += numberOrName(m_time.Minute, run, "", "");
            else
                m_out += numberOrName(m_time.Month, run, nameOf(kMonthNames, m_time.Month, 1, true),
                                      nameOf(kMonthNames, m_time.Month, 1, false));
            break;
        case 'd':
            m_out += numberOrName(m_time.Day, run, nameOf(kDayNames, m_time.DayOfWeek, 0, true),
                                  nameOf(kDayNames, m_time.DayOfWeek, 0, false));
            break;
        case 'h':
            m_out += padded(m_time.Hour, run >= 2 ? 2 : 1);
            m_lastWasHour = true;
            break;
        case 'n':
            m_out += padded(m_time.Minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            m_out += padded(m_time.Second, run >= 2 ? 2 : 1);
            break;
        default: // 'z'
            m_out += padded(m_time.Millisecond, run >= 3 ? 3 : 1);
            break;
        }
    }

    std::string_view m_pattern;
    const TPrintTime& m_time;
    std::size_t m_pos = 0;
    bool m_lastWasHour = false;
    std::string m_out;
};

} // namespace

std::string FormatPrintTime(std::string_view pattern, const TPrintTime& time)
{
    return PatternWriter(pattern, time).Write();
}

} // namespace varnok
