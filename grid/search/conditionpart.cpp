#include "grid/search/conditionpart.h"

#include <algorithm>

namespace varnok {

ConditionPart::ConditionPart(std::string_view part, const ShortDateFormat& dates)
{
    std::size_t start = 0;
    // The first ">" and "<" at or after the last piece's start: they alone make its
    // comparison, so a piece with the same ones shares it.
    std::size_t sharedGreater = std::string_view::npos;
    std::size_t sharedLess = std::string_view::npos;
    while (true) {
        const std::size_t star = part.find('*', start);
        const std::string_view raw = part.substr(
            start, star == std::string_view::npos ? std::string_view::npos : star - start);
        Piece piece;
        const std::size_t greater = part.find('>', start);
        const std::size_t less = part.find('<', start);
        if (greater != std::string_view::npos || less != std::string_view::npos) {
            if (m_comparisons.empty() || greater != sharedGreater || less != sharedLess)
                m_comparisons.emplace_back(part.substr(start), dates);
            sharedGreater = greater;
            sharedLess = less;
            piece.Comparison = static_cast<int>(m_comparisons.size()) - 1;
        }
        for (char c : raw) {
            if (c == '!')
                piece.Inverted = !piece.Inverted;
            else
                piece.Head += c;
        }
        piece.HasWildcard = piece.Head.find('?') != std::string::npos;
        const bool plain = raw.find('!') == std::string_view::npos && piece.Comparison < 0;
        m_greedy = m_greedy && plain;
        if (plain && m_plainFromSecondThrough + 1 == m_pieces.size())
            m_plainFromSecondThrough = m_pieces.size();
        m_pieces.push_back(std::move(piece));
        if (star == std::string_view::npos)
            break;
        start = part.find_first_not_of('*', star);
        if (start == std::string_view::npos)
            start = part.size();
    }
}

bool ConditionPart::Matches(std::string_view text) const
{
    return m_greedy ? matchesGreedily(text) : matchesFromTheEnd(text);
}

bool ConditionPart::headMatchesAt(const Piece& piece, std::string_view text, std::size_t pos)
{
    const std::string& head = piece.Head;
    if (pos > text.size() || text.size() - pos < head.size())
        return false;
    if (!piece.HasWildcard)
        return text.compare(pos, head.size(), head) == 0;
    for (std::size_t i = 0; i < head.size(); ++i) {
        if (head[i] != '?' && head[i] != text[pos + i])
            return false;
    }
    return true;
}

// The leftmost place at or after `from` where the head lies wholly inside `text`.
std::size_t ConditionPart::findHead(const Piece& piece, std::string_view text, std::size_t from)
{
    if (!piece.HasWildcard)
        return text.find(piece.Head, from);
    for (std::size_t pos = from; pos + piece.Head.size() <= text.size(); ++pos) {
        if (headMatchesAt(piece, text, pos))
            return pos;
    }
    return std::string_view::npos;
}

// Without "!" and comparisons, taking each middle piece at its leftmost place leaves the
// most text for the pieces after it, so if any choice of endings matches, this one does.
bool ConditionPart::matchesGreedily(std::string_view text) const
{
    const Piece& first = m_pieces.front();
    if (m_pieces.size() == 1)
        return text.size() == first.Head.size() && headMatchesAt(first, text, 0);
    const Piece& last = m_pieces.back();
    if (text.size() < first.Head.size() + last.Head.size())
        return false;
    const std::size_t end = text.size() - last.Head.size();
    if (!headMatchesAt(first, text, 0) || !headMatchesAt(last, text, end))
        return false;
    const std::string_view middle = text.substr(0, end);
    std::size_t pos = first.Head.size();
    for (std::size_t index = 1; index + 1 < m_pieces.size(); ++index) {
        const std::size_t found = findHead(m_pieces[index], middle, pos);
        if (found == std::string_view::npos)
            return false;
        pos = found + m_pieces[index].Head.size();
    }
    return true;
}

// Whether the piece's characters match at `pos` with the pieces after it matching from
// its end on: the last piece must end with the text, any other piece must end at or
// before `after`, the last place from which the pieces after it match.
bool ConditionPart::wildcardMatchesAt(const Piece& piece, bool isLast, std::string_view text,
                                      Place pos, Place after)
{
    const Place headEnd = pos + static_cast<Place>(piece.Head.size());
    const auto length = static_cast<Place>(text.size());
    if (headEnd > length || (isLast ? headEnd != length : headEnd > after))
        return false;
    return headMatchesAt(piece, text, static_cast<std::size_t>(pos));
}

// The last place above `above` from which the piece's characters, with its "!", match
// and the pieces after it then match too; -1 when there is none.
ConditionPart::Place ConditionPart::lastWildcardMatch(const Piece& piece, bool isLast,
                                                      std::string_view text, Place after,
                                                      Place above)
{
    const auto length = static_cast<Place>(text.size());
    const auto headLength = static_cast<Place>(piece.Head.size());
    if (piece.Inverted) {
        // Inverted, a piece matches wherever its characters do not; that is nearly always
        // at the very end already.
        for (Place pos = length; pos > above; --pos) {
            if (!wildcardMatchesAt(piece, isLast, text, pos, after))
                return pos;
        }
        return -1;
    }
    Place pos = std::min(isLast ? length : after, length) - headLength;
    if (isLast)
        return pos > above && wildcardMatchesAt(piece, isLast, text, pos, after) ? pos : -1;
    for (; pos > above; --pos) {
        if (!piece.HasWildcard) {
            const std::size_t found = text.rfind(piece.Head, static_cast<std::size_t>(pos));
            return found != std::string_view::npos && static_cast<Place>(found) > above
                       ? static_cast<Place>(found)
                       : -1;
        }
        if (headMatchesAt(piece, text, static_cast<std::size_t>(pos)))
            return pos;
    }
    return -1;
}

// A piece matches from a place when its characters do (inverted by its "!") or when its
// comparison holds for the text from there. Going from the last piece to the first, each
// piece needs only the last place from which the pieces after it match: "*" lets them
// start at any place from the piece's end up to that one.
bool ConditionPart::matchesFromTheEnd(std::string_view text) const
{
    // For each comparison the last place from which it holds, found when first needed.
    constexpr Place kNotYetFound = -2;
    std::vector<Place> lastHolding(m_comparisons.size(), kNotYetFound);
    auto lastComparisonPlace = [&](int comparison) -> Place {
        if (comparison < 0)
            return -1;
        Place& last = lastHolding[static_cast<std::size_t>(comparison)];
        if (last == kNotYetFound) {
            last = static_cast<Place>(text.size());
            const ConditionComparison& test = m_comparisons[static_cast<std::size_t>(comparison)];
            while (last >= 0 && !test.Holds(text.substr(static_cast<std::size_t>(last))))
                --last;
        }
        return last;
    };

    Place after = -1; // the last place from which the pieces after the current one match
    for (std::size_t index = m_pieces.size() - 1; index > 0; --index) {
        // Where nothing after them matches, plain pieces match nowhere either.
        if (after < 0 && index <= m_plainFromSecondThrough && index + 1 < m_pieces.size())
            break;
        const Piece& piece = m_pieces[index];
        const Place comparing = lastComparisonPlace(piece.Comparison);
        const Place wildcard =
            lastWildcardMatch(piece, index + 1 == m_pieces.size(), text, after, comparing);
        after = std::max(comparing, wildcard);
    }
    const Piece& first = m_pieces.front();
    const bool wildcard = wildcardMatchesAt(first, m_pieces.size() == 1, text, 0, after);
    return wildcard != first.Inverted ||
           (first.Comparison >= 0 &&
            m_comparisons[static_cast<std::size_t>(first.Comparison)].Holds(text));
}

} // namespace varnok
