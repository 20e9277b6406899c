#include "dictionaries/dictionary_engine.h"

#include "dictionaries/delimiters.h"
#include "dictionaries/replace_bounded.h"

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <limits>

namespace {

enum class Need { Anything, Delimiter, NonDelimiter };

Need needBefore(BoundaryMode mode)
{
    using enum BoundaryMode;
    switch (mode) {
    case DelimiterBefore:
    case DelimiterBeforeAndAfter:
    case DelimiterBeforeNonDelimiterAfter: return Need::Delimiter;
    case NonDelimiterBeforeAndAfter:
    case NonDelimiterBeforeDelimiterAfter:
    case NonDelimiterBefore: return Need::NonDelimiter;
    default: return Need::Anything;
    }
}

Need needAfter(BoundaryMode mode)
{
    using enum BoundaryMode;
    switch (mode) {
    case DelimiterAfter:
    case DelimiterBeforeAndAfter:
    case NonDelimiterBeforeDelimiterAfter: return Need::Delimiter;
    case NonDelimiterBeforeAndAfter:
    case DelimiterBeforeNonDelimiterAfter:
    case NonDelimiterAfter: return Need::NonDelimiter;
    default: return Need::Anything;
    }
}

bool satisfiable(Need need, bool canBeDelimiter, bool canBeOther)
{
    switch (need) {
    case Need::Delimiter: return canBeDelimiter;
    case Need::NonDelimiter: return canBeOther;
    default: return true;
    }
}

} // namespace

DictionaryEngine::DictionaryEngine(const DictionaryTable &table)
{
    m_entries.reserve(table.size());
    std::vector<QStringView> keys, wordStartKeys;
    std::vector<int> ids, wordStartIds;
    for (const DictionaryEntry &entry : table) {
        const Entry &e = m_entries.emplace_back(entry);
        m_longestReplacement = std::max(m_longestReplacement, e.replacement.size());
        if (e.key.isEmpty() || !canMatch(e.mode))
            continue; // matches nothing
        for (const QChar c : e.key)
            m_keyCharacters[KeyAutomaton::fold(c.unicode())] = true;
        if (e.keyHasDelimiter)
            m_longestCrossWordKey = std::max(m_longestCrossWordKey, e.key.size());
        const int id = int(m_entries.size()) - 1;
        if (e.startsWords) {
            wordStartKeys.push_back(e.key);
            wordStartIds.push_back(id);
        } else {
            keys.push_back(e.key);
            ids.push_back(id);
        }
    }
    m_shapes.reserve(m_entries.size());
    for (const Entry &e : m_entries)
        m_shapes.push_back(
            {e.needsBefore, e.needsAfter, e.keyStartsWithDelimiter, e.keyEndsWithDelimiter, e.keyHasDelimiter});
    m_automaton.build(keys, ids);
    m_wordStartAutomaton.build(wordStartKeys, wordStartIds);
    std::vector<QStringView> crossWordKeys;
    std::vector<int> crossWordIds;
    for (size_t i = 0; i < keys.size(); ++i)
        if (m_entries[ids[i]].keyHasDelimiter) {
            crossWordKeys.push_back(keys[i]);
            crossWordIds.push_back(ids[i]);
        }
    m_crossWordAutomaton.build(crossWordKeys, crossWordIds);
    // The pieces of those keys between their delimiters.
    std::vector<QStringView> pieces;
    for (const QStringView key : crossWordKeys) {
        qsizetype from = 0;
        for (qsizetype p = 0; p <= key.size(); ++p)
            if (p == key.size() || isDelimiter(key[p])) {
                if (p > from)
                    pieces.push_back(key.mid(from, p - from));
                from = p + 1;
            }
    }
    m_crossWordPieces.build(pieces, std::vector<int>(pieces.size(), 0));
}

DictionaryEngine::Entry::Entry(const DictionaryEntry &entry)
    : DictionaryEntry(entry), keyStartsWithDelimiter(!key.isEmpty() && isDelimiter(key.front())),
      keyEndsWithDelimiter(!key.isEmpty() && isDelimiter(key.back())),
      keyHasDelimiter(std::any_of(key.cbegin(), key.cend(), isDelimiter)),
      startsWords(!keyHasDelimiter && needBefore(mode) == Need::Delimiter), needsBefore(qint8(needBefore(mode))),
      needsAfter(qint8(needAfter(mode)))
{ }

inline bool DictionaryEngine::mayPass(int id, QStringView text, qsizetype start, qsizetype end) const
{
    const KeyShape &e = m_shapes[id];
    if (e.needsBefore == qint8(Need::Anything) && e.needsAfter == qint8(Need::Anything))
        return true;
    // A neighbour that is missing, or may be the end of an adjacent
    // occurrence, counts as "no neighbour", which is never a delimiter.
    const bool beforeIsDelimiter = start > 0 && isDelimiter(text[start - 1]);
    const bool afterIsDelimiter = end < text.size() && isDelimiter(text[end]);
    return satisfiable(Need(e.needsBefore), beforeIsDelimiter, !beforeIsDelimiter || e.keyEndsWithDelimiter)
           && satisfiable(Need(e.needsAfter), afterIsDelimiter, !afterIsDelimiter || e.keyStartsWithDelimiter);
}

template <typename Found>
void DictionaryEngine::findKeys(QStringView text, qsizetype from, qsizetype to, int minId, Found &&found) const
{
    m_automaton.scan(text, from, to, minId, found);
    // A key that needs a delimiter before it, and holds none, can only pass
    // right after one.
    for (qsizetype p = std::max<qsizetype>(from, 1); p < to; ++p)
        if (isDelimiter(text[p - 1]))
            m_wordStartAutomaton.matchAt(text.first(to), p, minId, found);
}

// One call of apply(): the text, the output and the yield clock.
class DictionaryEngine::Run
{
public:
    Run(const DictionaryEngine &engine, const YieldHook &yield) : m_engine(engine), m_yield(yield) { m_clock.start(); }

    // The entry that made the text grow past the limit, or -1.
    int runawayEntry() const { return m_runaway; }

    QString rewrite(const QString &text)
    {
        const QString padded = u' ' + text + u' ';
        m_limit = kGrowthFactor * padded.size() + kGrowthSlack + 2 * m_engine.m_longestReplacement;
        QString out;
        out.reserve(padded.size() + padded.size() / 4);
        const qsizetype n = padded.size();
        qsizetype start = 0;
        for (;;) {
            qsizetype end = start;
            while (end < n && !m_engine.isBarrier(padded[end]))
                ++end;
            if (!rewriteLine(padded, start, end, out))
                return {};
            maybeYield();
            if (end == n)
                break;
            out.append(padded[end]);
            start = end + 1;
        }
        return out.size() < 2 ? QString() : out.mid(1, out.size() - 2);
    }

private:
    // A word of the line: its characters up to and with the delimiter that
    // ends it (the last cell may end without one). `text` starts with the
    // character before the cell (the delimiter that ends the cell before),
    // so a key in it is tested with its real neighbours; the first cell of a
    // line has none. A key without delimiters never reaches past the
    // delimiters around a word, and no rewrite of such a key changes them, so
    // its entry gives the cell exactly what it gives the whole line.
    struct Cell
    {
        QString text;
        qsizetype offset = 0;    // 1 when text starts with the neighbour before
        int doneId = -1;         // the last entry applied to it
        std::vector<int> queued; // its candidates in the heap, ascending

        QStringView own() const { return QStringView(text).mid(offset); }
    };

    // A candidate: an entry and the cell it may change (kWholeLine for an
    // entry whose key holds a delimiter), smallest entry first.
    static constexpr int kWholeLine = -1;
    static quint64 candidate(int id, int cell) { return (quint64(id) << 32) | quint32(cell + 1); }
    static int candidateId(quint64 c) { return int(c >> 32); }
    static int candidateCell(quint64 c) { return int(quint32(c)) - 1; }
    // Queues an entry for a cell unless it is queued for it already.
    void push(quint64 c)
    {
        if (const int cell = candidateCell(c); cell != kWholeLine) {
            std::vector<int> &queued = m_cells[cell].queued;
            const auto at = std::lower_bound(queued.begin(), queued.end(), candidateId(c));
            if (at != queued.end() && *at == candidateId(c))
                return;
            queued.insert(at, candidateId(c));
        }
        m_heap.push_back(c);
        std::push_heap(m_heap.begin(), m_heap.end(), std::greater<>());
    }
    quint64 pop()
    {
        std::pop_heap(m_heap.begin(), m_heap.end(), std::greater<>());
        const quint64 c = m_heap.back();
        m_heap.pop_back();
        return c;
    }

    // Rewrites padded[start, end) into `out`; the barrier characters on
    // either side stay in the working copy as the line's neighbours. False
    // when the text grew past the limit.
    bool rewriteLine(const QString &padded, qsizetype start, qsizetype end, QString &out)
    {
        const qsizetype contextStart = start > 0 ? start - 1 : start;
        const qsizetype contextEnd = end < padded.size() ? end + 1 : end;
        m_heap.clear();
        m_engine.findKeys(padded, contextStart, contextEnd, -1, [&](int id, qsizetype s, qsizetype e) {
            if (m_engine.mayPass(id, padded, s, e))
                m_heap.push_back(candidate(id, int(s - contextStart)));
        });
        if (m_heap.empty()) {
            out.append(QStringView(padded).mid(start, end - start));
            return true;
        }
        // The text after this line is still to come, at least as it is.
        m_lineLimit = m_limit - out.size() - (padded.size() - contextEnd);
        const QString line = padded.mid(contextStart, contextEnd - contextStart);
        cutIntoCells(line);
        // The candidates were found in the line before it was cut: each gets
        // its cell by the place of its key (kept where the cell goes).
        for (quint64 &c : m_heap) {
            const int id = candidateId(c);
            c = candidate(id, m_engine.m_shapes[id].keyHasDelimiter ? kWholeLine : cellAt(candidateCell(c)));
        }
        std::sort(m_heap.begin(), m_heap.end()); // ascending order is a valid min-heap
        m_heap.erase(std::unique(m_heap.begin(), m_heap.end()), m_heap.end());
        for (const quint64 c : m_heap)
            if (candidateCell(c) != kWholeLine)
                m_cells[candidateCell(c)].queued.push_back(candidateId(c));
        int lastWholeLine = -1;
        while (!m_heap.empty()) {
            const quint64 next = pop();
            const int id = candidateId(next);
            const int cell = candidateCell(next);
            if (cell == kWholeLine) {
                if (id != lastWholeLine && !rewriteWholeLine(id))
                    return false;
                lastWholeLine = id;
            } else {
                std::vector<int> &queued = m_cells[cell].queued;
                if (const auto at = std::lower_bound(queued.begin(), queued.end(), id); at != queued.end() && *at == id)
                    queued.erase(at);
                if (id <= m_cells[cell].doneId)
                    continue;
                m_cells[cell].doneId = id;
                if (!rewriteCell(cell, id))
                    return false;
            }
            maybeYield();
        }
        const QString result = joinedLine();
        const qsizetype leading = start - contextStart;
        const qsizetype trailing = contextEnd - end;
        out.append(QStringView(result).mid(leading, result.size() - leading - trailing));
        return true;
    }

    void cutIntoCells(const QString &line)
    {
        m_cellCount = 0;
        m_lineLength = line.size();
        m_cellStarts.clear();
        m_staleStartsFrom = std::numeric_limits<size_t>::max();
        qsizetype from = 0;
        for (qsizetype p = 0; p < line.size(); ++p) {
            if (!isDelimiter(line[p]) && p + 1 < line.size())
                continue;
            if (m_cellCount == m_cells.size())
                m_cells.emplace_back();
            Cell &cell = m_cells[m_cellCount++];
            cell.offset = from > 0 ? 1 : 0;
            // A line of one word shares its characters until they change.
            cell.text =
                from == 0 && p + 1 == line.size() ? line : line.mid(from - cell.offset, p + 1 - from + cell.offset);
            cell.doneId = -1;
            cell.queued.clear();
            m_cellStarts.push_back(from);
            from = p + 1;
        }
    }

    // The places of the cells after one whose length changed, found again.
    void refreshStarts()
    {
        for (size_t c = std::max<size_t>(m_staleStartsFrom, 1); c < m_cellCount; ++c)
            m_cellStarts[c] = m_cellStarts[c - 1] + m_cells[c - 1].own().size();
        m_staleStartsFrom = std::numeric_limits<size_t>::max();
    }

    // The cell holding place `p` of the line (the places being current).
    int cellAt(qsizetype p) const
    {
        return int(std::upper_bound(m_cellStarts.begin(), m_cellStarts.end(), p) - m_cellStarts.begin()) - 1;
    }

    QString joinedLine() const
    {
        if (m_cellCount == 1)
            return m_cells[0].text;
        QString line;
        line.reserve(m_lineLength);
        for (size_t c = 0; c < m_cellCount; ++c)
            line.append(m_cells[c].own());
        return line;
    }

    // An entry whose key holds a delimiter, applied to the whole line; when
    // it changed something, the line is cut again and searched again for
    // the entries after it.
    bool rewriteWholeLine(int id)
    {
        const Entry &e = m_engine.m_entries[id];
        QString line = joinedLine();
        m_spans.clear();
        if (!replaceBoundedTracked(line, e.key, e.replacement, e.mode, e.caseSensitive, m_spans, m_lineLimit))
            return true;
        if (line.size() > m_lineLimit) {
            m_runaway = id;
            return false;
        }
        m_heap.clear();
        cutIntoCells(line);
        m_engine.findKeys(line, 0, line.size(), id, [&](int found, qsizetype s, qsizetype end) {
            if (m_engine.mayPass(found, line, s, end))
                push(candidate(found, m_engine.m_shapes[found].keyHasDelimiter ? kWholeLine : cellAt(s)));
        });
        return true;
    }

    // An entry whose key holds no delimiter, applied to one cell. Only a
    // change that may make new matches sends the cell back to the matcher.
    bool rewriteCell(int index, int id)
    {
        Cell &cell = m_cells[index];
        const Entry &e = m_engine.m_entries[id];
        // An earlier entry has often taken the key's place in the word.
        if (!mayOccur(cell.text, e))
            return true;
        const QString before = cell.text; // shares the data; the rewrite makes a new string
        m_spans.clear();
        if (!replaceBoundedTracked(cell.text, e.key, e.replacement, e.mode, e.caseSensitive, m_spans))
            return true;
        const qsizetype grown = cell.text.size() - before.size();
        m_lineLength += grown;
        if (m_lineLength > m_lineLimit) {
            m_runaway = id;
            return false;
        }
        if (grown != 0)
            m_staleStartsFrom = std::min<size_t>(m_staleStartsFrom, index + 1);
        qsizetype changeStart = -1, changeEnd = -1;
        for (ReplacedSpan span : m_spans) {
            trim(before, cell.text, span);
            if (!mayCreateMatches(before, cell.text, span))
                continue;
            if (changeStart < 0)
                changeStart = span.start;
            changeEnd = span.end;
        }
        if (changeStart < 0)
            return true;
        const QString &text = cell.text;
        m_engine.findKeys(text, 0, text.size(), id, [&](int found, qsizetype s, qsizetype end) {
            if (!m_engine.m_shapes[found].keyHasDelimiter && m_engine.mayPass(found, text, s, end))
                push(candidate(found, index));
        });
        if (m_engine.m_longestCrossWordKey > 0 && mayEndAcrossWords(cell))
            collectAcrossWords(index, changeStart, changeEnd, id);
        return true;
    }

    // Whether a key holding a delimiter may take in some of the cell's word:
    // the part of such a key that falls in a word is one of its pieces
    // between delimiters, and it reaches the word's start or end; and its
    // neighbours keep their delimiter test while the word keeps a character
    // that is no delimiter at either end. Cheaper than searching the line
    // around the word, which is done only when this fails. A word a rewrite
    // cut in two or emptied is always searched around.
    bool mayEndAcrossWords(const Cell &cell) const
    {
        const QStringView own = cell.own();
        const qsizetype wordEnd = !own.isEmpty() && isDelimiter(own.back()) ? own.size() - 1 : own.size();
        const QStringView word = own.first(wordEnd);
        // A word rewritten to nothing makes its delimiters neighbours.
        if (word.isEmpty() || std::any_of(word.begin(), word.end(), isDelimiter))
            return true;
        bool reaches = false;
        m_engine.m_crossWordPieces.scan(word, 0, word.size(), -1, [&](int, qsizetype s, qsizetype e) {
            reaches = reaches || s == 0 || e == word.size();
        });
        return reaches;
    }

    // Whether the key of `e` may occur in `text`, with the automaton's
    // folding, which finds every place the exact search finds and more.
    static bool mayOccur(QStringView text, const Entry &e)
    {
        const char16_t *fold = KeyAutomaton::foldTable();
        const qsizetype keyLength = e.key.size();
        const char16_t first = fold[e.key[0].unicode()];
        for (qsizetype at = 0; at + keyLength <= text.size(); ++at) {
            if (fold[text[at].unicode()] != first)
                continue;
            qsizetype k = 1;
            while (k < keyLength && fold[text[at + k].unicode()] == fold[e.key[k].unicode()])
                ++k;
            if (k == keyLength)
                return true;
        }
        return false;
    }

    // After a cell changed at [changeStart, changeEnd) of its text: the keys
    // holding delimiters that may now match around the change, across the
    // words on either side.
    void collectAcrossWords(int index, qsizetype changeStart, qsizetype changeEnd, int minId)
    {
        const qsizetype reach = m_engine.m_longestCrossWordKey + 1;
        refreshStarts();
        const Cell &cell = m_cells[index];
        // The stretch of the line to search, and one more character on
        // either side for the neighbour tests.
        const qsizetype cellStart = m_cellStarts[index];
        const qsizetype from = std::max<qsizetype>(0, cellStart + changeStart - cell.offset - reach);
        const qsizetype to = std::min(m_lineLength, cellStart + changeEnd - cell.offset + reach);
        const qsizetype windowStart = std::max<qsizetype>(0, from - 1);
        const qsizetype windowEnd = std::min(m_lineLength, to + 1);
        QString window;
        for (size_t c = cellAt(windowStart); c < m_cellCount && m_cellStarts[c] < windowEnd; ++c) {
            const QStringView own = m_cells[c].own();
            const qsizetype a = std::max<qsizetype>(0, windowStart - m_cellStarts[c]);
            const qsizetype b = std::min(own.size(), windowEnd - m_cellStarts[c]);
            window.append(own.mid(a, b - a));
        }
        m_engine.m_crossWordAutomaton.scan(window, from - windowStart, to - windowStart, minId,
                                           [&](int id, qsizetype s, qsizetype e) {
                                               if (m_engine.mayPass(id, window, s, e))
                                                   push(candidate(id, kWholeLine));
                                           });
    }

    // A replacement's span trimmed to the characters it really changed.
    static void trim(const QString &before, const QString &after, ReplacedSpan &span)
    {
        while (span.oldStart < span.oldEnd && span.start < span.end && before[span.oldStart] == after[span.start]) {
            ++span.oldStart;
            ++span.start;
        }
        while (span.oldStart < span.oldEnd && span.start < span.end && before[span.oldEnd - 1] == after[span.end - 1]) {
            --span.oldEnd;
            --span.end;
        }
    }

    // Whether a trimmed change can give any entry a new chance: not when it
    // changed nothing, nor when it only put in characters no key can match
    // and left the delimiter test of the characters on either side as it was.
    bool mayCreateMatches(const QString &before, const QString &after, const ReplacedSpan &span) const
    {
        if (span.start == span.end)
            return span.oldStart != span.oldEnd; // a deletion joins two stretches
        for (qsizetype p = span.start; p < span.end; ++p) {
            if (!m_engine.isBarrier(after[p]))
                return true;
        }
        // A missing neighbour tests like a non-delimiter.
        auto delimiterAt = [](const QString &text, qsizetype p) {
            return p >= 0 && p < text.size() && isDelimiter(text[p]);
        };
        return delimiterAt(before, span.oldStart) != delimiterAt(after, span.start)
               || delimiterAt(before, span.oldEnd - 1) != delimiterAt(after, span.end - 1);
    }

    void maybeYield()
    {
        if (m_yield && m_clock.elapsed() >= kYieldIntervalMs) {
            m_yield();
            m_clock.restart();
        }
    }

    const DictionaryEngine &m_engine;
    const YieldHook &m_yield;
    QElapsedTimer m_clock;
    std::vector<quint64> m_heap;
    std::vector<Cell> m_cells; // the first m_cellCount are the line's
    size_t m_cellCount = 0;
    std::vector<qsizetype> m_cellStarts; // where each cell's own characters start in the line
    size_t m_staleStartsFrom = 0;        // m_cellStarts from here on wait for refreshStarts
    qsizetype m_lineLength = 0;
    QList<ReplacedSpan> m_spans;
    qsizetype m_limit = 0;
    qsizetype m_lineLimit = 0;
    int m_runaway = -1;
};

QString DictionaryEngine::apply(const QString &text, const YieldHook &yield, int *runawayEntry) const
{
    if (m_entries.empty())
        return text;
    Run run(*this, yield);
    QString result = run.rewrite(text);
    if (runawayEntry)
        *runawayEntry = run.runawayEntry();
    return result;
}

bool DictionaryEngine::anyEntryChanges(const QString &text) const
{
    std::vector<int> candidates;
    findKeys(text, 0, text.size(), -1, [&](int id, qsizetype s, qsizetype e) {
        if (mayPass(id, text, s, e))
            candidates.push_back(id);
    });
    return std::any_of(candidates.begin(), candidates.end(), [&](int id) {
        const Entry &e = m_entries[id];
        return replaceBounded(text, e.key, e.replacement, e.mode, e.caseSensitive) != text;
    });
}
