#include "common/program_version.h"

#include <QStringList>

QString versionText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision, 2, 10, QLatin1Char('0'));
}

namespace {

int versionPart(int i)
{
    const QStringList parts = QStringLiteral(LECTORIUM_VERSION).split(u'.');
    return i < parts.size() ? parts[i].toInt() : 0;
}

} // namespace

QString programVersion()
{
    return versionText(versionPart(0), versionPart(1), versionPart(2));
}

QString plainProgramVersion()
{
    return QStringLiteral("%1.%2.%3").arg(versionPart(0)).arg(versionPart(1)).arg(versionPart(2));
}
