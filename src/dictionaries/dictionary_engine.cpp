#include "dictionaries/dictionary_engine.h"

#include "dictionaries/delimiters.h"
#include "dictionaries/replace_bounded.h"

#include <QElapsedTimer>

#include <algorithm>
#include <functional>

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

using MinHeap = std::vector<int>;

void pushCandidate(MinHeap &heap, int id)
{
    heap.push_back(id);
    std::push_heap(heap.begin(), heap.end(), std::greater<>());
}

int popCandidate(MinHeap &heap)
{
    std::pop_heap(heap.begin(), heap.end(), std::greater<>());
    const int id = heap.back();
    heap.pop_back();
    return id;
}

} // namespace

DictionaryEngine::DictionaryEngine(const DictionaryTable &table)
{
    m_entries.reserve(table.size());
    std::vector<QStringView> keys;
    std::vector<int> ids;
    for (const DictionaryEntry &entry : table) {
        const Entry &e = m_entries.emplace_back(entry);
        m_longestReplacement = std::max(m_longestReplacement, e.replacement.size());
        if (e.key.isEmpty() || !canMatch(e.mode))
            continue; // matches nothing
        for (const QChar c : e.key)
            m_keyCharacters[KeyAutomaton::fold(c.unicode())] = true;
        keys.push_back(e.key);
        ids.push_back(int(m_entries.size()) - 1);
    }
    m_automaton.build(keys, ids);
}

DictionaryEngine::Entry::Entry(const DictionaryEntry &entry)
    : DictionaryEntry(entry), keyStartsWithDelimiter(!key.isEmpty() && isDelimiter(key.front())),
      keyEndsWithDelimiter(!key.isEmpty() && isDelimiter(key.back()))
{ }

bool DictionaryEngine::mayPass(int id, QStringView text, qsizetype start, qsizetype end) const
{
    const Entry &e = m_entries[id];
    // A neighbour that is missing, or may be the end of an adjacent
    // occurrence, counts as "no neighbour", which is never a delimiter.
    const bool beforeIsDelimiter = start > 0 && isDelimiter(text[start - 1]);
    const bool afterIsDelimiter = end < text.size() && isDelimiter(text[end]);
    return satisfiable(needBefore(e.mode), beforeIsDelimiter, !beforeIsDelimiter || e.keyEndsWithDelimiter)
           && satisfiable(needAfter(e.mode), afterIsDelimiter, !afterIsDelimiter || e.keyStartsWithDelimiter);
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
    // Rewrites padded[start, end) into `out`; the barrier characters on
    // either side stay in the working copy as the line's neighbours. False
    // when the text grew past the limit.
    bool rewriteLine(const QString &padded, qsizetype start, qsizetype end, QString &out)
    {
        const qsizetype contextStart = start > 0 ? start - 1 : start;
        const qsizetype contextEnd = end < padded.size() ? end + 1 : end;
        m_heap.clear();
        collect(padded, contextStart, contextEnd, -1);
        if (m_heap.empty()) {
            out.append(QStringView(padded).mid(start, end - start));
            return true;
        }
        // The text after this line is still to come, at least as it is.
        const qsizetype lineLimit = m_limit - out.size() - (padded.size() - contextEnd);
        std::sort(m_heap.begin(), m_heap.end()); // ascending order is a valid min-heap
        QString line = padded.mid(contextStart, contextEnd - contextStart);
        int done = -1;
        while (!m_heap.empty()) {
            const int id = popCandidate(m_heap);
            if (id == done)
                continue;
            done = id;
            const Entry &e = m_engine.m_entries[id];
            m_spans.clear();
            const QString before = line; // shares the data; the rewrite makes a new string
            if (replaceBoundedTracked(line, e.key, e.replacement, e.mode, e.caseSensitive, m_spans, lineLimit)) {
                if (line.size() > lineLimit) {
                    m_runaway = id;
                    return false;
                }
                collectAround(before, line, id);
            }
            maybeYield();
        }
        const qsizetype leading = start - contextStart;
        const qsizetype trailing = contextEnd - end;
        out.append(QStringView(line).mid(leading, line.size() - leading - trailing));
        return true;
    }

    // Queues the entries after `minId` whose keys occur in text[from, to)
    // with neighbours that may let them replace.
    void collect(QStringView text, qsizetype from, qsizetype to, int minId)
    {
        m_engine.m_automaton.scan(text, from, to, minId, [&](int id, qsizetype s, qsizetype e) {
            if (m_engine.mayPass(id, text, s, e))
                pushCandidate(m_heap, id);
        });
    }

    // After entry `id` replaced something: any new match, or any old match
    // whose neighbours changed, lies within the longest key (plus its
    // neighbour) of a changed stretch. Each replacement is first trimmed to
    // the characters it really changed.
    void collectAround(const QString &before, const QString &line, int id)
    {
        const qsizetype reach = m_engine.m_automaton.longestKey() + 1;
        qsizetype windowStart = -1, windowEnd = -1;
        for (ReplacedSpan span : m_spans) {
            while (span.oldStart < span.oldEnd && span.start < span.end && before[span.oldStart] == line[span.start]) {
                ++span.oldStart;
                ++span.start;
            }
            while (span.oldStart < span.oldEnd && span.start < span.end
                   && before[span.oldEnd - 1] == line[span.end - 1]) {
                --span.oldEnd;
                --span.end;
            }
            if (!mayCreateMatches(before, line, span))
                continue;
            const qsizetype from = std::max<qsizetype>(0, span.start - reach);
            const qsizetype to = std::min<qsizetype>(line.size(), span.end + reach);
            if (windowEnd >= from) {
                windowEnd = to;
                continue;
            }
            if (windowStart >= 0)
                collect(line, windowStart, windowEnd, id);
            windowStart = from;
            windowEnd = to;
        }
        if (windowStart >= 0)
            collect(line, windowStart, windowEnd, id);
    }

    // Whether a trimmed change can give any entry a new chance: not when it
    // changed nothing, nor when it only put in characters no key can match
    // and left the delimiter test of the characters on either side as it was.
    bool mayCreateMatches(const QString &before, const QString &line, const ReplacedSpan &span) const
    {
        if (span.start == span.end)
            return span.oldStart != span.oldEnd; // a deletion joins two stretches
        for (qsizetype p = span.start; p < span.end; ++p) {
            if (!m_engine.isBarrier(line[p]))
                return true;
        }
        // A missing neighbour tests like a non-delimiter.
        auto delimiterAt = [](const QString &text, qsizetype p) {
            return p >= 0 && p < text.size() && isDelimiter(text[p]);
        };
        return delimiterAt(before, span.oldStart) != delimiterAt(line, span.start)
               || delimiterAt(before, span.oldEnd - 1) != delimiterAt(line, span.end - 1);
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
    MinHeap m_heap;
    QList<ReplacedSpan> m_spans;
    qsizetype m_limit = 0;
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
    m_automaton.scan(text, 0, text.size(), -1, [&](int id, qsizetype s, qsizetype e) {
        if (mayPass(id, text, s, e))
            candidates.push_back(id);
    });
    return std::any_of(candidates.begin(), candidates.end(), [&](int id) {
        const Entry &e = m_entries[id];
        return replaceBounded(text, e.key, e.replacement, e.mode, e.caseSensitive) != text;
    });
}
