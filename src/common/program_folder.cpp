#include "common/program_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString decideProgramFolder(const QString &executableFolder)
{
    // An installed program (/usr/bin and the like) is never a portable one,
    // even for root, who could write there: its files would outlive the package.
    const QFileInfo exe(executableFolder);
    const QString path = QDir::cleanPath(exe.absoluteFilePath());
    const bool systemFolder =
        path == QLatin1String("/bin") || path == QLatin1String("/sbin") || path.startsWith(QLatin1String("/usr/"));
    if (exe.isDir() && exe.isWritable() && !systemFolder)
        return path;
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
