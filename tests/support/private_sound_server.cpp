#include "private_sound_server.h"

#include "recording/speech/pulse_audio_stream.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <signal.h>

namespace {

QString scriptPath()
{
    return QStringLiteral(LECTORIUM_SOURCE_DIR "/scripts/sound-server");
}

} // namespace

PrivateSoundServer::PrivateSoundServer()
    : m_formerServer(qgetenv("PULSE_SERVER")), m_formerClientConfig(qgetenv("PULSE_CLIENTCONFIG"))
{
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(m_dir.filePath(QStringLiteral("native"))));
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(m_dir.filePath(QStringLiteral("client.conf"))));
    if (!QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty())
        start();
}

PrivateSoundServer::~PrivateSoundServer()
{
    stop();
    const auto restore = [](const char *name, const QByteArray &value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("PULSE_SERVER", m_formerServer);
    restore("PULSE_CLIENTCONFIG", m_formerClientConfig);
}

bool PrivateSoundServer::runScript(const QString &command) const
{
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    script.start(scriptPath(), {command, m_dir.path()});
    return script.waitForFinished(30000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

bool PrivateSoundServer::start()
{
    m_running = runScript(QStringLiteral("start"));
    return m_running;
}

void PrivateSoundServer::stop()
{
    if (m_running)
        runScript(QStringLiteral("stop"));
    m_running = false;
}

void PrivateSoundServer::signal(int number) const
{
    QFile pidFile(m_dir.filePath(QStringLiteral("pid")));
    if (!pidFile.open(QIODevice::ReadOnly))
        return;
    const pid_t pid = pid_t(pidFile.readAll().trimmed().toLongLong());
    if (pid > 0)
        ::kill(pid, number);
}

bool PrivateSoundServer::pactl(const QStringList &arguments) const
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool soundServerAnswers()
{
    return PulseAudioStream::open(PcmFormat{}) != nullptr;
}
