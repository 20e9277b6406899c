#include "common/program_version.h"

QString programVersion()
{
    return QStringLiteral(LECTORIUM_VERSION);
}
