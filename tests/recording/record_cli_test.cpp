// lectorium-cli convert and record as the user runs them: the voice table of
// the options window, and the progress on a terminal and in a pipe.

#include "recording/speech/speech_voice.h"

#include "support/cli_run.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

const QString kBookText = QStringLiteral("Глава первая\r\n\r\nСтарый дом стоял на краю деревни, и по вечерам в его "
                                         "окнах горел тёплый свет. Хозяин дома любил долгие прогулки по полю.\r\n");

// Every voice of the engine with this narration rate, as the options window
// writes "Voice.ini".
void writeNarrationRate(const TempProgramFolder &folder, int rate)
{
    QString ini;
    for (const VoiceToken &voice : SpeechVoice::voices())
        ini += QStringLiteral("[%1]\r\n1Speed=%2\r\n").arg(voice.description).arg(rate);
    folder.writeCp1251(QStringLiteral("Voice.ini"), ini);
}

qint64 soundBytes(const QString &folder)
{
    qint64 total = 0;
    QDirIterator it(folder, {QStringLiteral("*.mp3"), QStringLiteral("*.wav")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        total += QFileInfo(it.next()).size();
    return total;
}

// The program run on a pseudo-terminal of that many columns (0: a terminal
// that does not tell its size); everything it wrote there.
QByteArray runOnTerminal(const TempProgramFolder &folder, const QStringList &args, unsigned short columns = 0)
{
    QList<QByteArray> argv = {QByteArray(LECTORIUM_BIN_DIR "/lectorium-cli"), QByteArray("--program-folder"),
                              folder.path().toUtf8()};
    for (const QString &arg : args)
        argv.append(arg.toUtf8());
    std::vector<char *> pointers;
    for (QByteArray &arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    int master = -1;
    winsize size{};
    size.ws_row = 24;
    size.ws_col = columns;
    const pid_t child = forkpty(&master, nullptr, nullptr, &size);
    if (child == 0) {
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    QByteArray output;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, n);
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    return output;
}

} // namespace

TEST(RecordCli, NarrationRateOfVoiceIniIsHeard)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("книга.txt"), kBookText);
    const QString audio = folder.home() + QStringLiteral("/Аудиокниги");
    qint64 bytes[2] = {};
    const int rates[2] = {0, 10};
    for (int i = 0; i < 2; ++i) {
        writeNarrationRate(folder, rates[i]);
        QDir(audio).removeRecursively();
        const CliRun run =
            runCli(folder, {QStringLiteral("convert"), folder.file(QStringLiteral("книга.txt")),
                            QStringLiteral("--title"), QStringLiteral("Книга %1").arg(i), QStringLiteral("--quiet")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        bytes[i] = soundBytes(audio);
        ASSERT_GT(bytes[i], 0);
    }
    // Rate 10 speaks three times as fast: far less sound for the same text.
    EXPECT_LT(bytes[1] * 2, bytes[0]) << bytes[0] << " " << bytes[1];
}

TEST(RecordCli, OneLiveLineOnATerminalPlainLinesInAPipe)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("книга.txt"), kBookText);
    const QByteArray terminal =
        runOnTerminal(folder, {QStringLiteral("convert"), folder.file(QStringLiteral("книга.txt")),
                               QStringLiteral("--title"), QStringLiteral("Книга")});
    const QString shown = QString::fromUtf8(terminal);
    // Redrawn in place: carriage returns and a cleared line end, the book,
    // the block count, the percentage and the elapsed time.
    EXPECT_TRUE(shown.contains(QStringLiteral("\rКнига | блок 1/"))) << terminal.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("\x1b[K")));
    EXPECT_TRUE(shown.contains(QStringLiteral("| прошло 00:00:")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Запись выбранных блоков окончена")));

    const CliRun piped = runCli(
        folder, {QStringLiteral("record"), QStringLiteral("Книга"), QStringLiteral("--from"), QStringLiteral("1")});
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_FALSE(piped.err.contains(u'\r'));
    EXPECT_FALSE(piped.err.contains(QStringLiteral("\x1b[")));
    EXPECT_TRUE(piped.err.contains(QStringLiteral("Запись выбранных блоков окончена\n")));

    const CliRun quiet = runCli(folder, {QStringLiteral("record"), QStringLiteral("Книга"), QStringLiteral("--from"),
                                         QStringLiteral("1"), QStringLiteral("--quiet")});
    ASSERT_EQ(quiet.exitCode, 0) << quiet.err.toStdString();
    EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();
}

TEST(RecordCli, LiveLineNeverReachesTheTerminalsLastColumn)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("книга.txt"), kBookText);
    const QString title = QStringLiteral("Очень длинное название книги, которое одно заняло бы полстроки терминала");
    const QByteArray terminal = runOnTerminal(
        folder, {QStringLiteral("convert"), folder.file(QStringLiteral("книга.txt")), QStringLiteral("--title"), title},
        60);
    const QString shown = QString::fromUtf8(terminal);
    ASSERT_TRUE(shown.contains(QStringLiteral("\x1b[K"))) << terminal.toStdString();
    // Each redraw, from a carriage return to the clearing of the line end,
    // stays within 59 columns: one that filled the line would wrap.
    int redraws = 0;
    for (const QString &piece : shown.split(u'\r')) {
        const qsizetype end = piece.indexOf(QStringLiteral("\x1b[K"));
        if (end < 0)
            continue;
        ++redraws;
        const QString line = piece.left(end);
        EXPECT_LE(line.size(), 59) << line.toStdString();
        EXPECT_TRUE(line.contains(QStringLiteral(" | блок 1/"))) << line.toStdString();
    }
    EXPECT_GT(redraws, 0);
}
