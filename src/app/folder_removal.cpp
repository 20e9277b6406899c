#include "app/folder_removal.h"

#include "app/project_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

void removeEntry(const QFileInfo &entry);

void removeContents(const QString &folder)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries)
        removeEntry(entry);
}

void removeEntry(const QFileInfo &entry)
{
    const QString path = entry.absoluteFilePath();
    if (entry.isSymLink() || !entry.isDir()) {
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
        QFile::remove(path);
        return;
    }
    removeContents(path);
    QDir().rmdir(path);
}

} // namespace

bool isPlainEntryName(const QString &name)
{
    const bool controlCharacter =
        std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
           && !controlCharacter && !name.startsWith(kWorkingEntryPrefix);
}

QString withoutControlCharacters(const QString &title)
{
    QString cleaned = title;
    for (QChar &c : cleaned)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return cleaned.trimmed();
}

void removeFolderInside(const QString &root, const QString &folder)
{
    const QString cleanRoot = QDir::cleanPath(QFileInfo(root).absoluteFilePath());
    const QString target = QDir::cleanPath(QFileInfo(folder.trimmed()).absoluteFilePath());
    if (folder.trimmed().isEmpty() || !target.startsWith(cleanRoot + u'/'))
        return;
    const QFileInfo info(target);
    if (info.isSymLink()) {
        // A book folder that is a link: the link goes, what it points to stays.
        QFile::remove(target);
        return;
    }
    if (!info.isDir())
        return;
    removeEntry(info);
}
