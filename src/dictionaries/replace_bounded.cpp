#include "dictionaries/replace_bounded.h"

#include "dictionaries/delimiters.h"
#include "dictionaries/key_automaton.h"

#include <QVarLengthArray>

#include <algorithm>
#include <limits>

bool boundaryAllows(BoundaryMode mode, bool delimiterBefore, bool delimiterAfter)
{
    using enum BoundaryMode;
    switch (mode) {
    case Anywhere: return true;
    case DelimiterBefore: return delimiterBefore;
    case DelimiterAfter: return delimiterAfter;
    case DelimiterBeforeAndAfter: return delimiterBefore && delimiterAfter;
    case NonDelimiterBeforeAndAfter: return !delimiterBefore && !delimiterAfter;
    case DelimiterBeforeNonDelimiterAfter: return delimiterBefore && !delimiterAfter;
    case NonDelimiterBeforeDelimiterAfter: return !delimiterBefore && delimiterAfter;
    case NonDelimiterAfter: return !delimiterAfter;
    case NonDelimiterBefore: return !delimiterBefore;
    default: return false;
    }
}

namespace {

// The case-blind search of QString, one UTF-16 unit at a time, for short
// texts: the engine hands over mostly single words, where the library's
// general search spends more time getting ready than searching; longer texts
// go to the library. Characters outside the basic plane (surrogate pairs)
// fold as whole characters, so a text or key holding one goes there too.
class KeySearch
{
public:
    KeySearch(const QString &text, const QString &key, Qt::CaseSensitivity cs)
        : m_text(text), m_key(key), m_cs(cs),
          m_own(cs == Qt::CaseInsensitive && text.size() <= kShortText && !hasSurrogates(key) && !hasSurrogates(text))
    {
        if (m_own)
            for (const QChar c : key)
                m_foldedKey.push_back(folded(c.unicode()));
    }

    qsizetype indexOf(qsizetype from) const
    {
        if (!m_own)
            return m_text.indexOf(m_key, from, m_cs);
        const qsizetype last = m_text.size() - qsizetype(m_foldedKey.size());
        const char16_t *text = reinterpret_cast<const char16_t *>(m_text.constData());
        for (qsizetype at = from; at <= last; ++at) {
            if (folded(text[at]) != m_foldedKey[0])
                continue;
            qsizetype k = 1;
            while (k < qsizetype(m_foldedKey.size()) && folded(text[at + k]) == m_foldedKey[k])
                ++k;
            if (k == qsizetype(m_foldedKey.size()))
                return at;
        }
        return -1;
    }

private:
    static constexpr qsizetype kShortText = 64;

    static bool hasSurrogates(const QString &s)
    {
        return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isSurrogate(); });
    }
    // The automaton's folding; the same as the library's for every unit
    // but surrogate halves, which never come here.
    char16_t folded(char16_t unit) const { return m_fold[unit]; }

    const QString &m_text;
    const QString &m_key;
    Qt::CaseSensitivity m_cs;
    bool m_own;
    const char16_t *m_fold = KeyAutomaton::foldTable();
    // Keys are mostly short: no allocation for them.
    QVarLengthArray<char16_t, 32> m_foldedKey;
};

// The rewrite itself; `spans` may be null when nobody needs them.
bool rewrite(QString &text, const QString &key, const QString &replacement, BoundaryMode mode, bool caseSensitive,
             QList<ReplacedSpan> *spans, qsizetype maxLength = std::numeric_limits<qsizetype>::max())
{
    if (key.isEmpty() || !canMatch(mode))
        return false;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype keyLength = key.size();
    const KeySearch search(text, key, cs);
    qsizetype hit = search.indexOf(0);
    if (hit < 0)
        return false;
    QString result;
    bool replacedAny = false;
    qsizetype pieceStart = 0; // end of the previous occurrence
    qsizetype copied = 0;     // text[0, copied) is already in result
    while (hit >= 0) {
        const qsizetype hitEnd = hit + keyLength;
        const qsizetype next = search.indexOf(hitEnd);
        const qsizetype pieceEnd = next >= 0 ? next : text.size();
        const bool before = hit > pieceStart && isDelimiter(text.at(hit - 1));
        const bool after = pieceEnd > hitEnd && isDelimiter(text.at(hitEnd));
        if (boundaryAllows(mode, before, after)) {
            if (!replacedAny)
                result.reserve(text.size() + replacement.size());
            result.append(QStringView(text).mid(copied, hit - copied));
            if (spans)
                spans->append({result.size(), result.size() + replacement.size(), hit, hitEnd});
            result.append(replacement);
            copied = hitEnd;
            replacedAny = true;
            if (result.size() > maxLength) {
                text = std::move(result);
                return true;
            }
        }
        pieceStart = hitEnd;
        hit = next;
    }
    if (!replacedAny)
        return false;
    result.append(QStringView(text).mid(copied));
    text = std::move(result);
    return true;
}

} // namespace

QString replaceBounded(const QString &text, const QString &key, const QString &replacement, BoundaryMode mode,
                       bool caseSensitive)
{
    QString result = text;
    rewrite(result, key, replacement, mode, caseSensitive, nullptr);
    return result;
}

bool replaceBoundedTracked(QString &text, const QString &key, const QString &replacement, BoundaryMode mode,
                           bool caseSensitive, QList<ReplacedSpan> &spans, qsizetype maxLength)
{
    return rewrite(text, key, replacement, mode, caseSensitive, &spans, maxLength);
}
