#include "common/process_runner.h"

#include <QProcess>

#include <sys/resource.h>

int niceValueForPriority(int priority)
{
    switch (priority) {
    case 1: return 19;
    case 2: return -5;
    default: return 0;
    }
}

ProcessRunner::ProcessRunner() = default;

// Destroying the runner ends a program that still runs: callers that must
// let the encoder finish wait with waitForEnd first.
ProcessRunner::~ProcessRunner() = default;

bool ProcessRunner::runProcess(const ProcessRequest &request)
{
    if (processRunning())
        return false;
    auto process = std::make_unique<QProcess>();
    process->setProgram(request.program);
    process->setArguments(request.arguments);
    if (!request.captureStandardOutput)
        process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardInputFile(request.standardInputFile.isEmpty() ? QProcess::nullDevice()
                                                                      : request.standardInputFile);
    // An unread pipe would stall a chatty program, so its error channel is
    // kept only on request.
    if (!request.captureErrorOutput)
        process->setStandardErrorFile(QProcess::nullDevice());
    if (!request.environment.isEmpty())
        process->setProcessEnvironment(request.environment);
    if (!request.workingDirectory.isEmpty())
        process->setWorkingDirectory(request.workingDirectory);
    const int nice = niceValueForPriority(request.priority);
    if (nice != 0) {
        // Runs in the child between fork and exec; a refused raise (no
        // privilege for a negative value) leaves the normal priority.
        process->setChildProcessModifier([nice] { setpriority(PRIO_PROCESS, 0, nice); });
    }
    if (m_endNotice)
        QObject::connect(process.get(), &QProcess::finished, process.get(), [notice = m_endNotice] { notice(); });
    process->start();
    if (!process->waitForStarted(5000)) {
        m_process = std::move(process);
        return false;
    }
    if (request.settleMsecs > 0)
        process->waitForFinished(request.settleMsecs);
    m_process = std::move(process);
    return true;
}

bool ProcessRunner::processRunning()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return false;
    return !m_process->waitForFinished(10);
}

bool ProcessRunner::hasEnded()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return true;
    return m_process->waitForFinished(0);
}

bool ProcessRunner::waitForEnd(int msecs)
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return true;
    return m_process->waitForFinished(msecs);
}

void ProcessRunner::terminate()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    m_process->kill();
    m_process->waitForFinished(1000);
}

int ProcessRunner::lastExitCode() const
{
    if (!m_process || m_process->state() != QProcess::NotRunning || m_process->exitStatus() != QProcess::NormalExit
        || m_process->error() == QProcess::FailedToStart)
        return -1;
    return m_process->exitCode();
}

QByteArray ProcessRunner::lastErrorOutput() const
{
    return m_process ? m_process->readAllStandardError() : QByteArray();
}

QByteArray ProcessRunner::lastStandardOutput() const
{
    return m_process ? m_process->readAllStandardOutput() : QByteArray();
}
