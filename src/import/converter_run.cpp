#include "import/converter_run.h"

#include "common/process_runner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr int kPollMilliseconds = 100;

} // namespace

QString findConverter(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

ConverterRun runConverter(const QString &program, const QStringList &arguments, int timeoutSeconds,
                          const QString &workingDirectory, bool keepStandardOutput)
{
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        return {ConverterOutcome::Missing, {}};
    ProcessRequest request;
    request.program = program;
    request.arguments = arguments;
    request.workingDirectory = workingDirectory;
    request.captureStandardOutput = keepStandardOutput;
    ProcessRunner runner;
    if (!runner.runProcess(request))
        return {ConverterOutcome::Missing, {}};
    const QDeadlineTimer deadline{std::chrono::seconds(timeoutSeconds)};
    while (!runner.waitForEnd(kPollMilliseconds)) {
        if (deadline.hasExpired()) {
            runner.terminate();
            return {ConverterOutcome::TimedOut, {}};
        }
        QCoreApplication::processEvents();
    }
    if (runner.lastExitCode() != 0)
        return {ConverterOutcome::Failed, {}};
    return {ConverterOutcome::Finished, keepStandardOutput ? runner.lastStandardOutput() : QByteArray()};
}
