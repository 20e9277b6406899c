#include "common/clean_file_name.h"

#include <utility>

QString cleanFileName(const QString &text, const QString &dotReplacement, const QString &spaceReplacement,
                      bool keepBackslash)
{
    const QString dot = dotReplacement.isEmpty() ? QStringLiteral(".") : dotReplacement;
    const QString space = spaceReplacement.isEmpty() ? QStringLiteral(" ") : spaceReplacement;
    const QString removed;
    // The order matters: dots are replaced before spaces, so with both
    // options on a dot ends as the space replacement.
    const std::pair<QString, QString> replacements[] = {
        {QStringLiteral("."), dot},
        {QStringLiteral(";"), removed},
        {QStringLiteral("?"), removed},
        {QStringLiteral("!"), removed},
        {QStringLiteral("\\"), keepBackslash ? QStringLiteral("\\") : QStringLiteral("-")},
        {QStringLiteral("/"), QStringLiteral("-")},
        {QStringLiteral(":"), QStringLiteral("-")},
        {QStringLiteral("$"), removed},
        {QStringLiteral("%"), removed},
        {QStringLiteral("&"), removed},
        {QStringLiteral("@"), removed},
        {QStringLiteral("*"), QStringLiteral("#")},
        {QStringLiteral(" "), space},
        {QStringLiteral("\""), removed},
        {QStringLiteral("\t"), space},
        {QString(QChar(0x201C)), removed},
        {QString(QChar(0x201D)), removed},
    };
    QString s = text;
    for (const auto &[found, becomes] : replacements)
        s.replace(found, becomes, Qt::CaseSensitive);

    const QString pair = space + space;
    while (s.contains(pair))
        s.replace(pair, space);
    if (s.endsWith(space))
        s.chop(space.size());
    if (s.startsWith(space))
        s.remove(0, space.size());
    return s;
}
