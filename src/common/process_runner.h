#pragma once
// One-at-a-time runner for outside programs (the encoder, the speech
// program). A new program starts only when the last one has ended; the last
// process stays available to processRunning. Programs get an argument list,
// never a shell command line, so quotes, spaces and Cyrillic in paths and
// titles reach them intact.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QProcess;

// Priority classes as the settings store them: 0 normal, 1 idle (nice 19),
// 2 high (nice -5 where the system allows it); anything else is normal.
int niceValueForPriority(int priority);

struct ProcessRequest
{
    QString program;
    QStringList arguments;
    int priority = 0;
    // Empty: the program inherits ours.
    QProcessEnvironment environment;
    QString workingDirectory;
    bool captureErrorOutput = false;
    // For programs that answer on standard output (a media prober); a
    // program that writes much there would stall on the unread pipe.
    bool captureStandardOutput = false;
    // Empty: the program reads nothing.
    QString standardInputFile;
    // How long runProcess gives a program that may end at once. Callers
    // that follow the program themselves (the encoders side by side) do
    // not wait: the time would hold up everything else on the thread.
    int settleMsecs = 100;
};

class ProcessRunner
{
public:
    ProcessRunner();
    ~ProcessRunner();
    ProcessRunner(const ProcessRunner &) = delete;
    ProcessRunner &operator=(const ProcessRunner &) = delete;

    // Starts the program unless the last one still runs (a 10 ms look) and
    // then gives it up to the request's settleMsecs. False when it was
    // refused or failed to start.
    bool runProcess(const ProcessRequest &request);
    // Called from the event loop each time a started program ends, so a
    // caller can react at once instead of looking again later.
    void setEndNotice(std::function<void()> notice) { m_endNotice = std::move(notice); }
    // A look of at most 10 ms: true while the last started program runs.
    bool processRunning();
    // A look that never waits: true when no program runs (any more).
    bool hasEnded();
    // Waits up to `msecs` for the last program to end; true when it has.
    bool waitForEnd(int msecs);
    // Ends the last program at once (used at exit and on abort).
    void terminate();
    // Exit code of the last program once it has ended normally, else -1.
    int lastExitCode() const;
    // What the last program wrote on its error channel (kept for messages).
    QByteArray lastErrorOutput() const;
    // What the last program wrote on standard output, when it was kept.
    QByteArray lastStandardOutput() const;

private:
    std::unique_ptr<QProcess> m_process;
    std::function<void()> m_endNotice;
};
