#include "options/new_folder_path.h"

QString newFolderPath(const QString &parent, const QString &name)
{
    if (name.trimmed().isEmpty())
        return {};
    QString path = parent + u'/' + name;
    while (path.contains(QLatin1String("//")))
        path.replace(QLatin1String("//"), QLatin1String("/"));
    return path;
}
