#include "audiobook/book_cover.h"

#include <QFileInfo>

QString bookCoverPath(const QString &projectFolder)
{
    for (const char *name : {"cover.jpg", "cover.png"}) {
        const QFileInfo cover(projectFolder + u'/' + QLatin1String(name));
        if (cover.isFile() && cover.size() > 0)
            return cover.absoluteFilePath();
    }
    return {};
}
