#include "dictionaries/delimiters.h"

const DelimiterTable &initDelimiters()
{
    static const DelimiterTable table = {QChar(u' '),  QChar(u','), QChar(u'.'), QChar(u'\r'),
                                         QChar(u'\n'), QChar(u'!'), QChar(u'?'), QChar(u':'),
                                         QChar(u';'),  QChar(u'('), QChar(u')'), QChar(u'"')};
    return table;
}

bool isDelimiter(QChar c)
{
    switch (c.unicode()) {
    case u' ':
    case u',':
    case u'.':
    case u'\r':
    case u'\n':
    case u'!':
    case u'?':
    case u':':
    case u';':
    case u'(':
    case u')':
    case u'"': return true;
    default: return false;
    }
}
