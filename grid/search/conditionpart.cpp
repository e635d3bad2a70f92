#include "grid/search/conditionpart.h"

#include <algorithm>

ConditionPart::ConditionPart(std::string_view part, const ShortDateFormat& dates)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t star = part.find('*', start);
        const std::string_view raw = part.substr(
            start, star == std::string_view::npos ? std::string_view::npos : star - start);
        Piece piece{{}, false, false, ConditionComparison(part.substr(start), dates)};
        for (char c : raw) {
            if (c == '!')
                piece.Inverted = !piece.Inverted;
            else
                piece.Head += c;
        }
        piece.HasWildcard = piece.Head.find('?') != std::string::npos;
        m_greedy =
            m_greedy && raw.find('!') == std::string_view::npos && !piece.Comparison.IsPresent();
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
    return m_greedy ? matchesGreedily(text) : matchesByEndings(text);
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

// Works from the last piece to the first. For each piece it records, for every ending of
// the text, whether the piece and everything after it match that ending or a shorter one;
// the piece before then needs only its own head and one look-up. Two rows of flags, one
// per ending, is all the memory it takes.
bool ConditionPart::matchesByEndings(std::string_view text) const
{
    const std::size_t length = text.size();
    // ahead[j]: the pieces after the current one match an ending that starts at j or later.
    std::vector<char> ahead(length + 2, 0);
    std::vector<char> current(length + 2, 0);
    auto matchesEndingAt = [&](const Piece& piece, bool isLast, std::size_t pos) {
        const std::size_t headEnd = pos + piece.Head.size();
        bool wildcard = false;
        if (headEnd <= length && (isLast ? headEnd == length : ahead[headEnd] != 0))
            wildcard = headMatchesAt(piece, text, pos);
        return (wildcard != piece.Inverted) || piece.Comparison.Holds(text.substr(pos));
    };
    for (std::size_t index = m_pieces.size() - 1; index > 0; --index) {
        const bool isLast = index + 1 == m_pieces.size();
        current[length + 1] = 0;
        // Once a shorter ending matched, longer ones need not be tested at all.
        for (std::size_t pos = length + 1; pos-- > 0;)
            current[pos] = static_cast<char>(current[pos + 1] != 0 ||
                                             matchesEndingAt(m_pieces[index], isLast, pos));
        std::swap(ahead, current);
    }
    return matchesEndingAt(m_pieces.front(), m_pieces.size() == 1, 0);
}
