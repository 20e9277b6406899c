#include "dictionaries/replace_bounded.h"

#include "dictionaries/delimiters.h"

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

// The rewrite itself; `spans` may be null when nobody needs them.
bool rewrite(QString &text, const QString &key, const QString &replacement, BoundaryMode mode, bool caseSensitive,
             QList<ReplacedSpan> *spans, qsizetype maxLength = std::numeric_limits<qsizetype>::max())
{
    if (key.isEmpty() || !canMatch(mode))
        return false;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype keyLength = key.size();
    qsizetype hit = text.indexOf(key, 0, cs);
    if (hit < 0)
        return false;
    QString result;
    bool replacedAny = false;
    qsizetype pieceStart = 0; // end of the previous occurrence
    qsizetype copied = 0;     // text[0, copied) is already in result
    while (hit >= 0) {
        const qsizetype hitEnd = hit + keyLength;
        const qsizetype next = text.indexOf(key, hitEnd, cs);
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
