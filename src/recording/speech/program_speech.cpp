#include "recording/speech/program_speech.h"

#include "common/process_runner.h"
#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/speech/plain_punctuation.h"
#include "recording/speech/program_session.h"
#include "recording/speech/program_stress_marks.h"
#include "recording/speech/wav_sound.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// Long enough that a program's start-up (a neural model loading) is paid
// rarely, short enough that the recording sees its progress well within
// the time after which it counts the voice as stalled.
constexpr int kMaxRunCharacters = 1000;
// Sound goes to the output in pieces of this length: pause and purge act
// between them.
constexpr int kWriteMsecs = 100;
// A program that runs longer for one stretch of text has hung; the
// recording restarts it sooner on its own stall time.
constexpr qint64 kRunLimitMsecs = 5 * 60 * 1000;
// What the user is shown of a failed program's error output, at most.
constexpr int kShownErrorCharacters = 2000;

// A stretch with no letter and no digit (punctuation, a dash, what is left
// of a marker) has nothing to say; some programs write an empty WAV for it,
// which would read as a failure. It is never handed over.
bool hasSomethingToSay(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

bool isSentenceEnd(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == QChar(0x2026) || c == u'\n';
}

// [start, end) stretches of the piece's text for one run each: whole
// sentences up to the length limit; a longer sentence is cut at a blank.
QList<std::pair<int, int>> runStretches(const QString &text)
{
    QList<std::pair<int, int>> stretches;
    int start = 0;
    while (start < text.size()) {
        int end = std::min<int>(int(text.size()), start + kMaxRunCharacters);
        if (end < text.size()) {
            int cut = end;
            while (cut > start && !isSentenceEnd(text.at(cut - 1)))
                --cut;
            if (cut == start) {
                cut = end;
                while (cut > start && !text.at(cut - 1).isSpace())
                    --cut;
            }
            if (cut > start)
                end = cut;
        }
        stretches.append({start, end});
        start = end;
    }
    return stretches;
}

QByteArray encodedText(const QString &text, const QString &encoding)
{
    const QString name = encoding.trimmed().toLower();
    if (name == u"windows-1251" || name == u"cp1251")
        return Codec::toCp1251(text);
    QStringEncoder encoder(name.toLatin1().constData());
    if (name.isEmpty() || !encoder.isValid())
        return text.toUtf8();
    return encoder.encode(text);
}

// The text a program was handed, in a message: its beginning when long.
QString shownText(const QString &text)
{
    constexpr int kShownTextCharacters = 300;
    return text.size() > kShownTextCharacters ? text.left(kShownTextCharacters) + QStringLiteral("…") : text;
}

// The text as the program gets it: its punctuation and stress marks in the
// forms the section names, on one line.
QString textForProgram(const QString &text, const SpeechProgramDefinition &program)
{
    QString spoken = withStressForm(program.plainPunctuation ? plainPunctuation(text) : text, program.stress);
    spoken.replace(u'\r', u' ').replace(u'\n', u' ');
    return spoken;
}

QString errorOutputText(const QByteArray &bytes)
{
    QString text = QString::fromLocal8Bit(bytes).trimmed();
    if (text.size() > kShownErrorCharacters)
        text = QStringLiteral("…") + text.right(kShownErrorCharacters);
    return text.isEmpty() ? QStringLiteral("(программа ничего не сообщила)") : text;
}

// The program that stays running between stretches, blocks and books. All
// speaking happens on the one synthesis thread, which owns it; it ends with
// the thread, or when another program's session is wanted.
std::unique_ptr<ProgramSession> &runningSession()
{
    thread_local std::unique_ptr<ProgramSession> session;
    return session;
}

class ProgramRun
{
public:
    ProgramRun(SpeechJob &job, const PcmFormat &format) : m_job(job), m_format(format) { }

    bool cancelled() const { return m_job.state->generation != m_job.generation; }
    bool failed() const { return m_failed; }
    qint64 written() const { return m_written; }

    void fail(const QString &why)
    {
        m_failed = true;
        std::lock_guard lock(m_job.state->mutex);
        m_job.state->failure = why;
    }

    void showSentence(int position, int length)
    {
        std::lock_guard lock(m_job.state->mutex);
        m_job.state->status.inputSentencePosition = position;
        m_job.state->status.inputSentenceLength = length;
    }

    void write(const QByteArray &pcm)
    {
        const qint64 step = qint64(m_format.bytesPerSecond()) * kWriteMsecs / 1000 / 2 * 2;
        for (qint64 at = 0; at < pcm.size() && !cancelled(); at += step) {
            waitWhilePaused();
            if (cancelled())
                return;
            const qint64 n = std::min(step, pcm.size() - at);
            m_job.sink->write(pcm.constData() + at, n);
            m_written += n;
            if (m_job.timeline)
                m_job.timeline->advance(n);
        }
    }

    void writeSilence(int msec)
    {
        const qint64 bytes = qint64(m_format.bytesPerSecond()) * msec / 1000 / 2 * 2;
        write(QByteArray(bytes, '\0'));
    }

    // The program's sound for `text` (already in the program's form, with
    // something to say), or nothing (cancelled, or failed).
    std::optional<QByteArray> speak(const QString &spoken, int rate, int pitch)
    {
        const SpeechProgramDefinition &program = *m_job.program;
        const QString textFile = m_folder.filePath(QStringLiteral("text.txt"));
        const QString wavFile = m_folder.filePath(QStringLiteral("speech.wav"));
        QFile::remove(wavFile);
        if (!UserFile::writeBytes(textFile, encodedText(spoken + u'\n', program.encoding))) {
            fail(QStringLiteral("Не удалось записать временный файл с текстом для речевой программы:\n%1")
                     .arg(QDir::toNativeSeparators(textFile)));
            return std::nullopt;
        }
        QString messages;
        if (program.usesSession()) {
            if (!sayInSession(speechProgramSessionLine(program, textFile, wavFile, rate, pitch), messages))
                return std::nullopt;
        } else {
            QStringList command = speechProgramCommand(program, textFile, wavFile, rate, pitch);
            if (command.isEmpty()) {
                fail(speechProgramProblem(program));
                return std::nullopt;
            }
            ProcessRequest request;
            request.program = command.takeFirst();
            request.arguments = command;
            request.captureErrorOutput = true;
            if (program.textOnStandardInput)
                request.standardInputFile = textFile;
            if (!runToEnd(request))
                return std::nullopt;
        }
        const std::optional<QByteArray> wav = UserFile::readBytes(wavFile);
        std::optional<QByteArray> sound = wav ? wavSoundAs(*wav, m_format) : std::nullopt;
        if (!sound) {
            fail(QStringLiteral("Речевая программа голоса «%1» не записала звук в WAV-файл.\n"
                                "Команда: %2\nВ команде должно стоять {wav} там, где программа ждёт имя "
                                "выходного WAV-файла.")
                     .arg(program.name, program.usesSession() ? program.sessionSay : program.command)
                 + (messages.isEmpty() ? QString() : QStringLiteral("\nСообщения программы:\n") + messages));
            return std::nullopt;
        }
        // Words that give no sound at all are words the program could not
        // read: going on would leave a hole in the book.
        if (sound->isEmpty()) {
            fail(QStringLiteral("Речевая программа голоса «%1» записала WAV-файл без звука для текста:\n%2\n"
                                "Команда: %3")
                     .arg(program.name, shownText(spoken), program.command));
            return std::nullopt;
        }
        return sound;
    }

    // Speaking aloud, the last sound is still to be heard; a pause holds the
    // sink, and with it this wait.
    void drain()
    {
        if (!cancelled()) {
            m_job.sink->finish();
            while (!cancelled() && m_job.sink->heardBytes(m_written) < m_written)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (cancelled())
            m_job.sink->flush();
    }

private:
    void waitWhilePaused()
    {
        std::unique_lock lock(m_job.state->mutex);
        m_job.state->changed.wait(lock, [this] { return !m_job.state->paused || cancelled(); });
    }

    // One stretch through the program that stays running; `messages` gets
    // what it wrote while saying it.
    bool sayInSession(const QString &line, QString &messages)
    {
        const SpeechProgramDefinition &program = *m_job.program;
        std::unique_ptr<ProgramSession> &session = runningSession();
        if (!session || !session->serves(program))
            session = std::make_unique<ProgramSession>(program);
        const ProgramSession::Outcome outcome = session->say(
            encodedText(line, program.encoding), [this] { return cancelled(); }, kRunLimitMsecs);
        messages = session->messages();
        if (outcome == ProgramSession::Outcome::Failed) {
            fail(session->failure());
            session.reset();
        }
        return outcome == ProgramSession::Outcome::Done;
    }

    bool runToEnd(const ProcessRequest &request)
    {
        const SpeechProgramDefinition &program = *m_job.program;
        ProcessRunner runner;
        if (!runner.runProcess(request)) {
            fail(speechProgramProblem(program).isEmpty()
                     ? QStringLiteral("Не удалось запустить речевую программу голоса «%1».\nКоманда: %2")
                           .arg(program.name, program.command)
                     : speechProgramProblem(program));
            return false;
        }
        QElapsedTimer timer;
        timer.start();
        while (!runner.waitForEnd(100)) {
            if (cancelled()) {
                runner.terminate();
                return false;
            }
            if (timer.elapsed() > kRunLimitMsecs) {
                runner.terminate();
                fail(QStringLiteral("Речевая программа голоса «%1» не закончила работу за %2 минут и была "
                                    "остановлена.\nКоманда: %3")
                         .arg(program.name)
                         .arg(kRunLimitMsecs / 60000)
                         .arg(program.command));
                return false;
            }
        }
        if (cancelled())
            return false;
        const int exitCode = runner.lastExitCode();
        if (exitCode == 0)
            return true;
        const QString how = exitCode < 0 ? QStringLiteral("завершилась аварийно")
                                         : QStringLiteral("завершилась с ошибкой (код %1)").arg(exitCode);
        fail(QStringLiteral("Речевая программа голоса «%1» %2.\nКоманда: %3\nСообщения программы:\n%4")
                 .arg(program.name, how, program.command, errorOutputText(runner.lastErrorOutput())));
        return false;
    }

    SpeechJob &m_job;
    PcmFormat m_format;
    QTemporaryDir m_folder;
    qint64 m_written = 0;
    bool m_failed = false;
};

int sourceAt(const SpeechPiece &piece, int index)
{
    return piece.sourcePos.at(std::clamp(index, 0, int(piece.sourcePos.size()) - 1));
}

QByteArray withVolume(QByteArray pcm, int volume)
{
    if (volume >= 100)
        return pcm;
    auto *samples = reinterpret_cast<qint16 *>(pcm.data());
    for (qsizetype i = 0; i < pcm.size() / 2; ++i)
        samples[i] = qint16(samples[i] * std::max(0, volume) / 100);
    return pcm;
}

} // namespace

QString speechProgramProblem(const SpeechProgramDefinition &definition)
{
    const QString commandText = definition.usesSession() ? definition.sessionCommand : definition.command;
    const QStringList command = QProcess::splitCommand(commandText);
    const QString where = QStringLiteral("Исправьте голос на странице «Добавить голос…» окна настроек "
                                         "(файл SpeechPrograms.ini в папке программы).");
    if (command.isEmpty())
        return QStringLiteral("Для голоса «%1» не задана команда речевой программы.\n").arg(definition.name) + where;
    if (!(definition.usesSession() ? definition.sessionSay : definition.command).contains(QStringLiteral("{wav}")))
        return QStringLiteral("В команде голоса «%1» нет {wav}: программе некуда записать звук.\n").arg(definition.name)
               + where;
    const QString program = command.first();
    const bool found =
        program.contains(u'/') ? QFileInfo(program).isExecutable() : !QStandardPaths::findExecutable(program).isEmpty();
    if (!found)
        return QStringLiteral("Речевая программа «%1» для голоса «%2» не найдена.\n"
                              "Установите её или укажите полный путь к ней. ")
                   .arg(program, definition.name)
               + where;
    return QString();
}

void speakThroughProgram(SpeechJob &job, const PcmFormat &format)
{
    {
        std::lock_guard lock(job.state->mutex);
        job.state->status = SpeechStatus{SpeechStatus::IsSpeaking, 0, 0, 0, 0};
        job.state->failure.clear();
    }
    ProgramRun run(job, format);
    for (const SpeechPiece &piece : std::as_const(job.pieces)) {
        if (run.cancelled() || run.failed())
            break;
        if (piece.kind == SpeechPiece::Silence) {
            run.writeSilence(piece.msec);
            continue;
        }
        for (const auto &[start, end] : runStretches(piece.text)) {
            // What is left after the clean-up decides: a sign the program
            // cannot read becomes a blank, and a stretch of blanks is not
            // handed over either.
            const QString spoken = textForProgram(piece.text.mid(start, end - start), *job.program);
            if (!hasSomethingToSay(spoken))
                continue;
            const std::optional<QByteArray> sound = run.speak(spoken, piece.rate, piece.pitch);
            if (!sound)
                break;
            run.showSentence(sourceAt(piece, start), sourceAt(piece, end) - sourceAt(piece, start));
            if (job.timeline)
                job.timeline->noteStretch(sourceAt(piece, start), sourceAt(piece, end) - sourceAt(piece, start),
                                          sound->size());
            run.write(withVolume(*sound, job.volume));
        }
    }
    run.drain();
}
