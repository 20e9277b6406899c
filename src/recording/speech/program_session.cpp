#include "recording/speech/program_session.h"

#include <QElapsedTimer>

namespace {

// The longest a program may take to start before it counts as broken.
constexpr int kStartMsecs = 30000;
constexpr int kPollMsecs = 100;

} // namespace

ProgramSession::ProgramSession(const SpeechProgramDefinition &definition) : m_definition(definition)
{
    // Festival answers on its error output, which C libraries do not
    // buffer; either output may carry the done line.
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

ProgramSession::~ProgramSession()
{
    stop();
}

bool ProgramSession::serves(const SpeechProgramDefinition &definition) const
{
    return definition.sessionCommand == m_definition.sessionCommand
           && definition.sessionStart == m_definition.sessionStart && definition.sessionDone == m_definition.sessionDone
           && definition.encoding == m_definition.encoding;
}

void ProgramSession::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    m_process.kill();
    m_process.waitForFinished(kStartMsecs);
}

bool ProgramSession::start()
{
    QStringList arguments = QProcess::splitCommand(m_definition.sessionCommand);
    if (arguments.isEmpty()) {
        m_failure = QStringLiteral("Для голоса «%1» не задана команда Session.").arg(m_definition.name);
        return false;
    }
    m_output.clear();
    m_process.setProgram(arguments.takeFirst());
    m_process.setArguments(arguments);
    m_process.start();
    if (!m_process.waitForStarted(kStartMsecs)) {
        m_failure = QStringLiteral("Не удалось запустить речевую программу голоса «%1».\nКоманда: %2")
                        .arg(m_definition.name, m_definition.sessionCommand);
        return false;
    }
    if (!m_definition.sessionStart.isEmpty())
        m_process.write(m_definition.sessionStart.toUtf8() + '\n');
    return true;
}

bool ProgramSession::takeDoneLine()
{
    const QByteArray done = m_definition.sessionDone.toUtf8();
    qsizetype lineStart = 0;
    for (qsizetype end = m_output.indexOf('\n'); end >= 0; end = m_output.indexOf('\n', lineStart)) {
        const QByteArray line = m_output.mid(lineStart, end - lineStart).trimmed();
        lineStart = end + 1;
        if (line == done) {
            m_output.remove(0, lineStart);
            return true;
        }
        m_messages += line + '\n';
    }
    m_output.remove(0, lineStart);
    return false;
}

ProgramSession::Outcome ProgramSession::say(const QByteArray &line, const std::function<bool()> &cancelled,
                                            qint64 limitMsecs)
{
    m_failure.clear();
    m_messages.clear();
    if (m_process.state() == QProcess::NotRunning && !start())
        return Outcome::Failed;
    m_process.write(line + '\n');
    QElapsedTimer timer;
    timer.start();
    while (true) {
        m_output += m_process.readAll();
        if (takeDoneLine())
            return Outcome::Done;
        if (cancelled()) {
            stop();
            return Outcome::Cancelled;
        }
        if (m_process.state() == QProcess::NotRunning) {
            // What it wrote just before it ended is its last word.
            m_output += m_process.readAll();
            if (takeDoneLine())
                return Outcome::Done;
            m_failure = QStringLiteral("Речевая программа голоса «%1» завершилась посреди книги.\nКоманда: %2\n"
                                       "Сообщения программы:\n%3")
                            .arg(m_definition.name, m_definition.sessionCommand,
                                 messages().isEmpty() ? QStringLiteral("(программа ничего не сообщила)") : messages());
            return Outcome::Failed;
        }
        if (timer.elapsed() > limitMsecs) {
            stop();
            m_failure = QStringLiteral("Речевая программа голоса «%1» не закончила кусок текста за %2 минут и была "
                                       "остановлена.\nКоманда: %3")
                            .arg(m_definition.name)
                            .arg(limitMsecs / 60000)
                            .arg(m_definition.sessionCommand);
            return Outcome::Failed;
        }
        m_process.waitForBytesWritten(0);
        m_process.waitForReadyRead(kPollMsecs);
    }
}
