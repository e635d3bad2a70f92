#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "grid/search/conditioncompare.h"
#include "grid/search/conditionvalues.h"
#include "grid/search/matchcondition.h"

namespace varnok {

namespace {

const ShortDateFormat kMonthFirst{}; // the C locale's "%m/%d/%y"
const ShortDateFormat kDayFirst{{DateField::Day, DateField::Month, DateField::Year}, '.'};

struct ConditionCase {
    std::string Condition;
    std::string Text;
    bool Expected;
    bool CaseSensitive = false;
    ShortDateFormat Dates = kMonthFirst;
};

// The rules of a part word for word, by plain recursion (exponential, for small inputs
// only): a comparison that holds matches; otherwise the characters up to the first "*"
// are walked through, each "!" among them inverting the final result, and a run of "*"
// hands the rest of the part to these same rules for every ending of the remaining text.
bool literalMatches(std::string_view part, std::string_view text)
{
    if (ConditionComparison(part, kMonthFirst).Holds(text))
        return true;
    const std::size_t star = part.find('*');
    const std::string_view own = part.substr(0, star);
    const bool inverted = std::count(own.begin(), own.end(), '!') % 2 == 1;
    std::size_t pos = 0;
    for (char c : own) {
        if (c == '!')
            continue;
        if (pos == text.size() || (c != '?' && c != text[pos]))
            return inverted;
        ++pos;
    }
    bool result = pos == text.size();
    if (star != std::string_view::npos) {
        const std::size_t restStart = part.find_first_not_of('*', star);
        const std::string_view rest =
            restStart == std::string_view::npos ? std::string_view() : part.substr(restStart);
        const std::string_view remaining = text.substr(pos);
        result = false;
        for (std::size_t length = 0; length <= remaining.size() && !result; ++length)
            result = literalMatches(rest, remaining.substr(remaining.size() - length));
    }
    return result != inverted;
}

// Every word of `alphabet` up to `maxLength` characters, the empty one included.
std::vector<std::string> allWords(const std::string& alphabet, std::size_t maxLength)
{
    std::vector<std::string> words{""};
    for (std::size_t start = 0; start < words.size(); ++start) {
        if (words[start].size() == maxLength)
            continue;
        for (char c : alphabet)
            words.push_back(words[start] + c);
    }
    return words;
}

} // namespace

TEST(MatchConditionTest, ExamplesAndOperators)
{
    const std::string longA(255, 'A');
    const std::vector<ConditionCase> cases = {
        // Wildcards and "!" over the whole text; "!" inverts even when the walk failed first.
        {"*.gif", "http://a/b.gif", true},
        {"!*.gif", "x.gif", false},
        {"!*.gif", "x.htm", true},
        {"ab!c", "xbc", true},
        {"abc", "abc", true},
        {"abc", "xabcx", false},
        {"", "", true},
        // Joined from left to right without precedence: (a or b) and c, (a and b) or c.
        {"*.gif;*.jpg", "x.JPG", true},
        {"*.gif^*.jpg", "x.jpg", true},
        {"*index*&*.htm", "http://a/index/x.htm", true},
        {"*index*&*.htm", "http://a/x.htm", false},
        {"a;b&c", "a", false},
        {"a&b;c", "c", true},
        // Blanks count inside parts only.
        {"  *.gif ;  *.jpg \t", "x.jpg", true},
        {" \t ", "", true},
        // Letter case: Windows-1252 capitals unless case-sensitive.
        {"ABC", "abc", true},
        {"ABC", "abc", false, true},
        {"\xE9t\xC9", "\xC9T\xE9", true},
        {"\xF7", "\xD7", false},
        // Numbers compare as numbers, dates as dates, anything else byte by byte (unsigned,
        // at most 255); the operand ends at a blank or "|".
        {">5", "10", true},
        {">=10", "10", true},
        {"<5", " -3", true},
        {"> 1e3 abc", "1001", true},
        {">5|7", "6", true},
        {">5", "5 ", true},
        {">05/06/2004", "06/01/2003", false},
        {">05/06/2004", "06/01/2003 10:11:12", true},
        {">02/30/2004", "03/01/2003", true},
        {">05.06.2004", "01.07.2004", true, false, kDayFirst},
        {">05.06.2004", "01.07.2004", false, false, kMonthFirst},
        {">Z", "\xC0", true},
        {">" + longA + "B", longA + "C", false},
        {">=" + longA + "B", longA + "C", true},
        {"<m", "N", true, true},
        {"<5", "<5", true}}; // the less test fails, the literal text matches
    for (const ConditionCase& test : cases)
        EXPECT_EQ(MatchStrEx(test.Condition, test.Text, test.CaseSensitive, test.Dates),
                  test.Expected)
            << '"' << test.Condition << "\" against \"" << test.Text << '"';

    EXPECT_TRUE(MatchStr("A?C", "abc", false, kMonthFirst));
    EXPECT_FALSE(Matches("A?C", "abc", kMonthFirst));
}

TEST(MatchConditionTest, AgreesWithTheLiteralRulesOnEverySmallPartAndText)
{
    // Short parts with every sign, and longer ones with several pieces between asterisks,
    // with and without "!" and comparisons.
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> sets = {
        {allWords("a1?*!>", 5), allWords("a1", 4)},
        {allWords("a?*", 7), allWords("ab", 5)},
        {allWords("a*!<", 7), allWords("a<", 4)}};
    int disagreements = 0;
    for (const auto& [parts, texts] : sets) {
        for (const std::string& part : parts) {
            for (const std::string& text : texts) {
                if (Matches(part, text, kMonthFirst) != literalMatches(part, text) &&
                    ++disagreements <= 10)
                    ADD_FAILURE() << '"' << part << "\" against \"" << text << '"';
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
}

TEST(MatchConditionTest, NumbersAndDatesAreRead)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<std::string, std::optional<double>>> numbers = {
        {"  -1.5e2", -150.0}, {"+3", 3.0},          {"1e400", infinity},  {"1e-400", 0.0},
        {"", std::nullopt},   {"1.", std::nullopt}, {".5", std::nullopt}, {"1e", std::nullopt},
        {"1 ", std::nullopt}, {"1,5", std::nullopt}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ReadConditionNumber(text), value) << '"' << text << '"';

    const ShortDateFormat yearFirst{{DateField::Year, DateField::Month, DateField::Day}, '-'};
    const std::vector<std::tuple<std::string, ShortDateFormat, std::optional<int>>> dates = {
        {"5/6/4", kMonthFirst, 40506},
        {"1999-12-31", yearFirst, 19991231},
        {"02/29/2003", kMonthFirst, std::nullopt},
        {"00/10/2004", kMonthFirst, std::nullopt},
        {"05/06/99999999999999999999", kMonthFirst, std::nullopt}};
    for (const auto& [text, format, value] : dates)
        EXPECT_EQ(ReadConditionDate(text, format), value) << '"' << text << '"';
}

} // namespace varnok
