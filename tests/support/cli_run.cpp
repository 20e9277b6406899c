#include "cli_run.h"

#include <QProcess>

CliRun runCli(const TempProgramFolder &folder, const QStringList &args)
{
    QProcess cli;
    cli.start(QStringLiteral(LECTORIUM_BIN_DIR "/lectorium-cli"),
              QStringList{QStringLiteral("--program-folder"), folder.path()} + args);
    // Until it ends: the test runner's own limit stops one that hangs.
    cli.waitForFinished(-1);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}
