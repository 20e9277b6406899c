#include "common/replace_all.h"

QString replaceAll(const QString &text, const QString &find, const QString &replacement, bool caseSensitive)
{
    if (find.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype hit = text.indexOf(find, 0, cs);
    if (hit < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (hit >= 0) {
        result.append(QStringView(text).mid(from, hit - from));
        result.append(replacement);
        from = hit + find.size();
        hit = text.indexOf(find, from, cs);
    }
    result.append(QStringView(text).mid(from));
    return result;
}
