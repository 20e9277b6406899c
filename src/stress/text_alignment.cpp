#include "stress/text_alignment.h"

#include <algorithm>

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'+' || c == u'`' || c.unicode() == 0x0300 || c.unicode() == 0x0301;
}

// The pieces of a text: words and single other characters, as [start, end).
struct Piece
{
    qsizetype start;
    qsizetype end;
};

QList<Piece> piecesOf(QStringView text)
{
    QList<Piece> pieces;
    pieces.reserve(text.size() / 3 + 1);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        if (!isWordCharacter(text[i])) {
            pieces.append({start, ++i});
            continue;
        }
        while (i < n
               && (isWordCharacter(text[i])
                   || (text[i] == u'-' && i + 1 < n && text[i + 1].isLetter() && text[i - 1].isLetter())))
            ++i;
        pieces.append({start, i});
    }
    return pieces;
}

class Aligner
{
public:
    Aligner(QStringView a, QStringView b) : m_a(a), m_b(b), m_pa(piecesOf(a)), m_pb(piecesOf(b)) { }

    QList<ChangedStretch> changedStretches()
    {
        QList<ChangedStretch> changed;
        qsizetype i = 0, j = 0;
        while (i < m_pa.size() || j < m_pb.size()) {
            if (i < m_pa.size() && j < m_pb.size() && same(i, j)) {
                ++i;
                ++j;
                continue;
            }
            const auto [ni, nj] = resync(i, j);
            changed.append(
                {startOf(m_pb, j, m_b), startOf(m_pb, nj, m_b), startOf(m_pa, i, m_a), startOf(m_pa, ni, m_a)});
            i = ni;
            j = nj;
        }
        return changed;
    }

private:
    // How far a change may reach, in pieces of either text, before the rest
    // is taken as changed.
    static constexpr qsizetype kLookAhead = 400;

    bool same(qsizetype i, qsizetype j) const
    {
        const Piece &p = m_pa[i];
        const Piece &q = m_pb[j];
        return m_a.mid(p.start, p.end - p.start) == m_b.mid(q.start, q.end - q.start);
    }

    // Both go on alike from here: the same piece next, or both at their ends.
    bool goOnAlike(qsizetype i, qsizetype j) const
    {
        const bool aEnds = i == m_pa.size(), bEnds = j == m_pb.size();
        if (aEnds || bEnds)
            return aEnds && bEnds;
        return same(i, j);
    }

    // The nearest pair of places (fewest pieces skipped in both) where the
    // texts go on alike again.
    std::pair<qsizetype, qsizetype> resync(qsizetype i, qsizetype j) const
    {
        const qsizetype restA = m_pa.size() - i, restB = m_pb.size() - j;
        for (qsizetype d = 1; d <= 2 * kLookAhead; ++d) {
            for (qsizetype k = std::max<qsizetype>(0, d - restB); k <= std::min(d, restA); ++k) {
                if (k > kLookAhead || d - k > kLookAhead)
                    continue;
                if (goOnAlike(i + k, j + d - k))
                    return {i + k, j + d - k};
            }
        }
        return {m_pa.size(), m_pb.size()};
    }

    static qsizetype startOf(const QList<Piece> &pieces, qsizetype index, QStringView text)
    {
        return index < pieces.size() ? pieces[index].start : text.size();
    }

    QStringView m_a, m_b;
    QList<Piece> m_pa, m_pb;
};

} // namespace

TextAlignment::TextAlignment(QStringView original, QStringView rewritten)
{
    if (original != rewritten)
        m_changed = Aligner(original, rewritten).changedStretches();
}

qsizetype TextAlignment::originalPosition(qsizetype rewrittenPosition) const
{
    // The last change starting at or before the position.
    auto after = std::upper_bound(m_changed.cbegin(), m_changed.cend(), rewrittenPosition,
                                  [](qsizetype p, const ChangedStretch &s) { return p < s.start; });
    if (after == m_changed.cbegin())
        return rewrittenPosition;
    const ChangedStretch &s = *(after - 1);
    if (rewrittenPosition < s.end)
        return std::min(s.originalStart + (rewrittenPosition - s.start), s.originalEnd);
    return s.originalEnd + (rewrittenPosition - s.end);
}

qsizetype TextAlignment::rewrittenPosition(qsizetype originalPosition) const
{
    auto after = std::upper_bound(m_changed.cbegin(), m_changed.cend(), originalPosition,
                                  [](qsizetype p, const ChangedStretch &s) { return p < s.originalStart; });
    if (after == m_changed.cbegin())
        return originalPosition;
    const ChangedStretch &s = *(after - 1);
    if (originalPosition < s.originalEnd)
        return std::min(s.start + (originalPosition - s.originalStart), s.end);
    return s.end + (originalPosition - s.originalEnd);
}
