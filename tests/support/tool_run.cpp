#include "support/tool_run.h"

#include <QProcess>
#include <QStandardPaths>

ToolRun runTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    ToolRun run;
    // -1: until the tool ends (or fails to start); the test runner's own
    // limit stops a tool that hangs.
    const bool finished = process.waitForFinished(-1);
    run.succeeded = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

bool toolsInstalled(const QStringList &tools)
{
    for (const QString &tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    return true;
}
