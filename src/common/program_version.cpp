#include "common/program_version.h"

#include <QStringList>

QString versionText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision, 2, 10, QLatin1Char('0'));
}

QString programVersion()
{
    const QStringList parts = QStringLiteral(LECTORIUM_VERSION).split(u'.');
    auto part = [&](int i) { return i < parts.size() ? parts[i].toInt() : 0; };
    return versionText(part(0), part(1), part(2));
}
