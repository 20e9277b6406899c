#include "common/folder_exchange.h"

#include <QFile>

#include <cstdio>
#include <fcntl.h>

bool exchangeFolders(const QString &first, const QString &second)
{
    const QByteArray a = QFile::encodeName(first);
    const QByteArray b = QFile::encodeName(second);
    return ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0;
}
