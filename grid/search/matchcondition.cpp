#include "grid/search/matchcondition.h"

#include "grid/search/ansiupper.h"

namespace varnok {

namespace {

bool isJoiningSign(char c)
{
    return c == '&' || c == ';' || c == '^';
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view withoutOuterBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

MatchCondition::MatchCondition(std::string_view condition, bool caseSensitive,
                               const ShortDateFormat& dates)
    : m_caseSensitive(caseSensitive)
{
    const std::string cased = caseSensitive ? std::string(condition) : AnsiUpperCase(condition);
    const std::string_view rest = trimmed(cased);
    Joint joint = Joint::Or;
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        while (end < rest.size() && !isJoiningSign(rest[end]))
            ++end;
        // The ends of the whole condition are trimmed already, so stripping blanks from
        // both ends of each part removes only those next to a joining sign.
        const std::string_view part = withoutOuterBlanks(rest.substr(start, end - start));
        m_steps.push_back({joint, ConditionPart(part, dates)});
        if (end == rest.size())
            break;
        joint = rest[end] == '&' ? Joint::And : Joint::Or;
        start = end + 1;
    }
}

bool MatchCondition::Matches(std::string_view text) const
{
    if (m_caseSensitive)
        return MatchesCased(text);
    return MatchesCased(AnsiUpperCase(text));
}

bool MatchCondition::MatchesCased(std::string_view text) const
{
    bool result = m_steps.front().Part.Matches(text);
    for (std::size_t index = 1; index < m_steps.size(); ++index) {
        const Step& step = m_steps[index];
        // A part that cannot change the result is not evaluated.
        if ((step.JoinedBy == Joint::And) == result)
            result = step.Part.Matches(text);
    }
    return result;
}

std::optional<std::string> LongConditionRefusal(std::string_view condition)
{
    if (condition.size() <= kLongestCondition)
        return std::nullopt;
    return "The condition is " + std::to_string(condition.size()) +
           " characters long; a condition may hold at most " + std::to_string(kLongestCondition) +
           " characters.";
}

bool MatchStrEx(std::string_view condition, std::string_view text, bool caseSensitive,
                const ShortDateFormat& dates)
{
    return MatchCondition(condition, caseSensitive, dates).Matches(text);
}

bool MatchStr(std::string_view part, std::string_view text, bool caseSensitive,
              const ShortDateFormat& dates)
{
    if (caseSensitive)
        return Matches(part, text, dates);
    return Matches(AnsiUpperCase(part), AnsiUpperCase(text), dates);
}

bool Matches(std::string_view part, std::string_view text, const ShortDateFormat& dates)
{
    return ConditionPart(part, dates).Matches(text);
}

} // namespace varnok
