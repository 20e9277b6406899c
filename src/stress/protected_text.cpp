#include "stress/protected_text.h"

qsizetype protectedEnd(const QString &text, qsizetype at)
{
    const QChar c = text.at(at);
    auto closing = [&](QStringView close, qsizetype from) -> qsizetype {
        const qsizetype found = text.indexOf(close, from);
        return found < 0 ? -1 : found + close.size();
    };
    if (c == u'{')
        return closing(u"}", at + 1);
    if (c == u'[' && QStringView(text).mid(at).startsWith(u"[["))
        return closing(u"]]", at + 2);
    if (c == u'<' && at + 1 < text.size()) {
        const QChar n = text.at(at + 1);
        if (n.isLetter() || n == u'/' || n == u'?' || n == u'!')
            return closing(u">", at + 1);
    }
    if (c == u'&' && at + 1 < text.size() && (text.at(at + 1).isLetter() || text.at(at + 1) == u'#')) {
        qsizetype i = at + 1;
        while (i < text.size() && i - at < 12 && (text.at(i).isLetterOrNumber() || text.at(i) == u'#'))
            ++i;
        if (i < text.size() && text.at(i) == u';')
            return i + 1;
    }
    return -1;
}
