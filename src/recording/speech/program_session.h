#pragma once
// A speech program that stays running while a book is read: it is started
// once, gets its "SessionStart" line, and then a command line on its
// standard input for each stretch, answering with its "SessionDone" line
// when the stretch's WAV is written. A program that loads a large voice
// (Festival takes seconds for it) pays that once instead of for every
// stretch.

#include "recording/speech/speech_program_definition.h"

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <functional>

class ProgramSession
{
public:
    enum class Outcome { Done, Cancelled, Failed };

    explicit ProgramSession(const SpeechProgramDefinition &definition);
    ~ProgramSession();

    // The session is the one this definition asks for.
    bool serves(const SpeechProgramDefinition &definition) const;

    // Starts the program when it is not running, writes `line` and waits for
    // the done line; a cancel or a stretch that takes longer than `limitMsecs`
    // stops the program (the next stretch starts it again).
    Outcome say(const QByteArray &line, const std::function<bool()> &cancelled, qint64 limitMsecs);
    // Why the last say failed, in words for the user.
    QString failure() const { return m_failure; }
    // What the program wrote before its last done line (its error messages).
    QString messages() const { return QString::fromLocal8Bit(m_messages).trimmed(); }

private:
    bool start();
    void stop();
    // True once the done line is among what the program wrote; the lines
    // before it are kept as its messages.
    bool takeDoneLine();

    SpeechProgramDefinition m_definition;
    QProcess m_process;
    QByteArray m_output;
    QByteArray m_messages;
    QString m_failure;
};
