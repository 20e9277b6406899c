#include "common/program_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString decideProgramFolder(const QString &executableFolder)
{
    const QFileInfo exe(executableFolder);
    if (exe.isDir() && exe.isWritable())
        return QDir::cleanPath(exe.absoluteFilePath());
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QLatin1String("/.local/share");
    const QString folder = dataHome + QLatin1String("/Lectorium");
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

void seedProgramFolder(const QString &programFolder)
{
    // The shipped files are compiled in as resources under :/seed.
    const QString root = QStringLiteral(":/seed");
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = programFolder + source.mid(root.size());
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}
