#include "audiobook/media_tools.h"

#include "common/outside_program.h"

#include <QFileInfo>

namespace {

constexpr int kPollMilliseconds = 100;

} // namespace

MediaTools mediaTools(const QString &programFolder)
{
    return {outsideProgram(programFolder, QStringLiteral("ffmpeg")),
            outsideProgram(programFolder, QStringLiteral("ffprobe"))};
}

ToolRunEnd runToEnd(ProcessRunner &runner, const ProcessRequest &request, const KeepGoing &keepGoing)
{
    if (!runner.runProcess(request))
        return ToolRunEnd::NotStarted;
    while (!runner.waitForEnd(kPollMilliseconds)) {
        if (keepGoing && !keepGoing()) {
            runner.terminate();
            return ToolRunEnd::Cancelled;
        }
    }
    return runner.lastExitCode() == 0 ? ToolRunEnd::Done : ToolRunEnd::Failed;
}

ProbedDuration probeDuration(const QString &ffprobe, const QString &file, const KeepGoing &keepGoing)
{
    ProcessRequest request;
    request.program = ffprobe;
    // An absolute path starts with "/": never an option, never a protocol
    // name such as "concat:".
    request.arguments = {QStringLiteral("-v"),
                         QStringLiteral("error"),
                         QStringLiteral("-show_entries"),
                         QStringLiteral("format=duration"),
                         QStringLiteral("-of"),
                         QStringLiteral("default=noprint_wrappers=1:nokey=1"),
                         QFileInfo(file).absoluteFilePath()};
    request.captureStandardOutput = true;
    ProcessRunner runner;
    const ToolRunEnd end = runToEnd(runner, request, keepGoing);
    if (end != ToolRunEnd::Done)
        return {end};
    bool ok = false;
    const double seconds = QString::fromLatin1(runner.lastStandardOutput()).trimmed().toDouble(&ok);
    if (!ok || seconds <= 0)
        return {ToolRunEnd::Failed};
    return {ToolRunEnd::Done, seconds};
}
