#include "common/link_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

bool linkOrCopyFile(const QString &source, const QString &target)
{
    if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    return QFile::copy(source, target);
}

// The link's own text, relative or not, as it was.
bool copySymbolicLink(const QString &source, const QString &target)
{
    char buffer[4096];
    const ssize_t length = ::readlink(QFile::encodeName(source).constData(), buffer, sizeof buffer);
    if (length < 0 || length == ssize_t(sizeof buffer))
        return false;
    return ::symlink(QByteArray(buffer, length).constData(), QFile::encodeName(target).constData()) == 0;
}

} // namespace

bool linkCopy(const QString &source, const QString &target)
{
    const QFileInfo entry(source);
    if (entry.isSymLink())
        return copySymbolicLink(source, target);
    if (!entry.isDir())
        return linkOrCopyFile(source, target);
    if (!QDir().mkdir(target))
        return false;
    const QStringList names =
        QDir(source).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names)
        if (!linkCopy(source + u'/' + name, target + u'/' + name))
            return false;
    return true;
}
