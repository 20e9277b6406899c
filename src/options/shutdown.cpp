#include "options/shutdown.h"

#include <QProcess>

QString ShutdownCountdown::text() const
{
    const QString head = QStringLiteral("Компьютер будет выключен через\n");
    if (!m_started)
        return head + QStringLiteral("%1 секунд!").arg(m_counter);
    return head + QStringLiteral(" %1 секунд!").arg(m_counter);
}

bool ShutdownCountdown::tick()
{
    m_started = true;
    --m_counter;
    return m_counter <= 3 || m_counter == 10 || m_counter == 20;
}

bool requestSystemPowerOff()
{
    QProcess process;
    process.setProgram(QStringLiteral("systemctl"));
    process.setArguments({QStringLiteral("poweroff")});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(30000))
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool shutdownComputer(int flags, const PowerOffRequest &request)
{
    if (flags != 1 || !request)
        return false;
    return request();
}
