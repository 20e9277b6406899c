#include "app/project_cover.h"

#include <QFileInfo>

QStringList projectCoverFileNames()
{
    return {projectCoverFileName(QStringLiteral("jpg")), projectCoverFileName(QStringLiteral("png"))};
}

QString projectCoverFileName(const QString &extension)
{
    return QStringLiteral("cover.") + extension;
}

QString projectCoverPath(const QString &bookFolder)
{
    for (const QString &name : projectCoverFileNames()) {
        const QString path = bookFolder + u'/' + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}
