#include "common/outside_program.h"

#include "common/program_folder.h"

#include <QFileInfo>
#include <QStandardPaths>

QString outsideProgram(const QString &programFolder, const QString &name)
{
    const QString own = ProgramFolder(programFolder).file(name);
    if (QFileInfo(own).isExecutable() && QFileInfo(own).isFile())
        return own;
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? name : onPath;
}
