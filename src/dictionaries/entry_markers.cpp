#include "dictionaries/entry_markers.h"

qint16 entryMode(const QString &key)
{
    if (key.isEmpty())
        return kNoMode;
    const QChar first = key.front();
    const QChar last = key.back();
    if (first == u'*')
        return last == u'*' ? 0 : last == u'&' ? 7 : 2;
    if (first == u'&')
        return last == u'&' ? 4 : last == u'*' ? 8 : 6;
    return last == u'*' ? 1 : last == u'&' ? 5 : 3;
}

QString stripMarkers(const QString &key, int mode)
{
    switch (mode) {
    case 0:
    case 4:
    case 7:
    case 8: return key.mid(1, key.size() - 2);
    case 1:
    case 5: return key.left(key.size() - 1);
    case 2:
    case 6: return key.mid(1);
    default: return key;
    }
}

QString addMarkers(const QString &key, int mode)
{
    switch (mode) {
    case 0: return u'*' + key + u'*';
    case 1: return key + u'*';
    case 2: return u'*' + key;
    case 4: return u'&' + key + u'&';
    case 5: return key + u'&';
    case 6: return u'&' + key;
    case 7: return u'*' + key + u'&';
    case 8: return u'&' + key + u'*';
    default: return key;
    }
}
