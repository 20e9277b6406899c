#include "app/book_file_filter.h"

#include <QFileInfo>

QString openableBookFile(const QString &argument)
{
    QString path = argument;
    path.remove(u'"');
    if (path.size() <= 4 || !QFileInfo(path).isFile())
        return {};
    static const QStringList endings = {QStringLiteral(".txt"), QStringLiteral(".rtf"), QStringLiteral(".fb2"),
                                        QStringLiteral(".doc"), QStringLiteral(".htm"), QStringLiteral("html")};
    return endings.contains(path.right(4).toLower()) ? path : QString();
}
