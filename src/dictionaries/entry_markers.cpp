#include "dictionaries/entry_markers.h"

BoundaryMode entryMode(const QString &key)
{
    using enum BoundaryMode;
    if (key.isEmpty())
        return MatchesNothing;
    const QChar first = key.front();
    const QChar last = key.back();
    if (first == u'*')
        return last == u'*' ? Anywhere : last == u'&' ? NonDelimiterAfter : DelimiterAfter;
    if (first == u'&')
        return last == u'&'   ? NonDelimiterBeforeAndAfter
               : last == u'*' ? NonDelimiterBefore
                              : NonDelimiterBeforeDelimiterAfter;
    return last == u'*' ? DelimiterBefore : last == u'&' ? DelimiterBeforeNonDelimiterAfter : DelimiterBeforeAndAfter;
}

QString stripMarkers(const QString &key, BoundaryMode mode)
{
    using enum BoundaryMode;
    switch (mode) {
    case Anywhere:
    case NonDelimiterBeforeAndAfter:
    case NonDelimiterAfter:
    case NonDelimiterBefore: return key.mid(1, key.size() - 2);
    case DelimiterBefore:
    case DelimiterBeforeNonDelimiterAfter: return key.left(key.size() - 1);
    case DelimiterAfter:
    case NonDelimiterBeforeDelimiterAfter: return key.mid(1);
    default: return key;
    }
}

QString addMarkers(const QString &key, BoundaryMode mode)
{
    using enum BoundaryMode;
    switch (mode) {
    case Anywhere: return u'*' + key + u'*';
    case DelimiterBefore: return key + u'*';
    case DelimiterAfter: return u'*' + key;
    case NonDelimiterBeforeAndAfter: return u'&' + key + u'&';
    case DelimiterBeforeNonDelimiterAfter: return key + u'&';
    case NonDelimiterBeforeDelimiterAfter: return u'&' + key;
    case NonDelimiterAfter: return u'*' + key + u'&';
    case NonDelimiterBefore: return u'&' + key + u'*';
    default: return key;
    }
}
