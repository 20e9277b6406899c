#pragma once
// A sound server of the test's own (scripts/sound-server: PulseAudio with a
// null sink in a temporary folder) that the test may kill, freeze or take
// the device from. While it lives, this process's sound goes to it.

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

class PrivateSoundServer
{
public:
    // Starts the server; false from isRunning() where PulseAudio is not
    // installed or did not start.
    PrivateSoundServer();
    // Stops the server and gives the process back the server it had.
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer &) = delete;
    PrivateSoundServer &operator=(const PrivateSoundServer &) = delete;

    bool isRunning() const { return m_running; }
    // Starts it again in the same folder: clients find it where it was.
    bool start();
    void stop();
    // Sends the server process a signal (SIGKILL, SIGSTOP, SIGCONT).
    void signal(int number) const;
    // Runs pactl against the server; true when it succeeds.
    bool pactl(const QStringList &arguments) const;

private:
    bool runScript(const QString &command) const;

    QTemporaryDir m_dir;
    bool m_running = false;
    QByteArray m_formerServer;
    QByteArray m_formerClientConfig;
};

// The server this process's sound goes to answers (the one of the
// environment, or a private one).
bool soundServerAnswers();
