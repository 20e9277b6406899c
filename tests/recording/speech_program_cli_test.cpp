// lectorium-cli with a speech program as the voice, as a user sets it up:
// "SpeechPrograms.ini" written by hand in a fresh program folder, the voice
// chosen by its number in "Lectorium.ini".

#include "common/ini_file.h"
#include "common/program_folder.h"
#include "recording/speech/plain_punctuation.h"
#include "speech_program_test_support.h"
#include "support/cli_run.h"
#include "wav_reading.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <iostream>

namespace {

const QString kBookText =
    QStringLiteral("Глава первая\r\n\r\nСтарый дом стоял на краю деревни, и по вечерам в его окнах горел тёплый "
                   "свет.\r\n\r\nГлава вторая\r\n\r\nХозяин дома любил долгие прогулки по полю и возвращался "
                   "затемно.\r\n");

// Writes the program folder's voices file and returns the voice's number.
int defineVoice(const TempProgramFolder &folder, const QString &command)
{
    folder.writeCp1251(QStringLiteral("SpeechPrograms.ini"),
                       QStringLiteral("; мой голос\r\n[Мой голос]\r\nEnabled=1\r\nName=Голос эспик\r\nCommand=%1\r\n"
                                      "Rate=80 175 350\r\nStress=none\r\n")
                           .arg(command));
    const CliRun voices = runCli(folder, {QStringLiteral("voices")});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("(?:^|\\n)(\\d+)\\tГолос эспик\\t16\\n")).match(voices.out);
    EXPECT_TRUE(match.hasMatch()) << voices.out.toStdString();
    const int index = match.captured(1).toInt();
    writeIni(QStringLiteral("Настройки движка"), QStringLiteral("Номер движка"), index,
             ProgramFolder(folder.path()).settingsFile());
    return index;
}

// The MP3's sound, decoded by lame.
double mp3Seconds(const TempProgramFolder &folder, const QString &mp3)
{
    const QString wav = folder.file(QStringLiteral("decoded.wav"));
    QProcess::execute(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("--decode"), mp3, wav});
    return readWavInfo(wav).seconds();
}

// The sound of every MP3 under `folder`, in seconds.
double mp3SecondsUnder(const TempProgramFolder &folder, const QString &audioFolder, int *files = nullptr)
{
    double seconds = 0;
    int count = 0;
    QDirIterator it(audioFolder, {QStringLiteral("*.mp3")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        seconds += mp3Seconds(folder, it.next());
        ++count;
    }
    if (files)
        *files = count;
    return seconds;
}

// The number `voices` gives the voice named `name`, or -1.
int listedVoice(const QString &voices, const QString &name)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("(?:^|\\n)(\\d+)\\t") + QRegularExpression::escape(name)
                           + QStringLiteral("\\t16\\n"))
            .match(voices);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

struct FoundProgram
{
    QString voiceName;
    // The program speaking the whole text file at once, as a user would
    // run it: the measure the book's sound is held against.
    QStringList directCommand;
    bool plainText = false;
};

} // namespace

// A real book (the program's demo FictionBook: chapters, dialogue, a poem)
// recorded through the programs a fresh program folder finds by itself:
// espeak-ng's command line everywhere, Festival's Russian voice where it is
// installed. The book records to its end, a file per block, and its sound
// is within a fifth of the program's own reading of the same text.
TEST(SpeechProgramCli, RealBookRecordsThroughTheProgramsFoundInAFreshFolder)
{
    TempProgramFolder folder;
    const CliRun voices = runCli(folder, {QStringLiteral("voices")});
    ASSERT_EQ(voices.exitCode, 0) << voices.err.toStdString();
    const QString book = QStringLiteral(LECTORIUM_SOURCE_DIR "/data/Demo/demo-book.fb2");
    const CliRun text = runCli(folder, {QStringLiteral("text"), book});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();

    QList<FoundProgram> programs = {
        {QStringLiteral("espeak-ng (командная строка)"),
         {QStringLiteral("espeak-ng"), QStringLiteral("-v"), QStringLiteral("ru"), QStringLiteral("-w"),
          folder.file(QStringLiteral("direct.wav")), QStringLiteral("-f"), folder.file(QStringLiteral("direct.txt"))},
         false}};
    if (!QStandardPaths::findExecutable(QStringLiteral("text2wave")).isEmpty()
        && QFileInfo::exists(QStringLiteral("/usr/share/festival/voices/russian/msu_ru_nsh_clunits")))
        programs.append({QStringLiteral("Festival (msu_ru_nsh)"),
                         {QStringLiteral("text2wave"), QStringLiteral("-eval"),
                          QStringLiteral("(voice_msu_ru_nsh_clunits)"), QStringLiteral("-o"),
                          folder.file(QStringLiteral("direct.wav")), folder.file(QStringLiteral("direct.txt"))},
                         true});
    else
        std::cout << "Festival with festvox-ru is not installed: espeak-ng's command line only\n";

    for (const FoundProgram &program : std::as_const(programs)) {
        SCOPED_TRACE(program.voiceName.toStdString());
        const int voice = listedVoice(voices.out, program.voiceName);
        ASSERT_GE(voice, 0) << voices.out.toStdString();
        writeIni(QStringLiteral("Настройки движка"), QStringLiteral("Номер движка"), voice,
                 ProgramFolder(folder.path()).settingsFile());
        const QString title = QStringLiteral("Книга %1").arg(voice);
        const CliRun run = runCli(
            folder, {QStringLiteral("convert"), book, QStringLiteral("--title"), title, QStringLiteral("--quiet")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("ERROR.TXT"))));
        const QStringList blocks =
            QDir(folder.file(QStringLiteral("Projects/") + title)).entryList({QStringLiteral("0*.txt")}, QDir::Files);
        int files = 0;
        const double recorded = mp3SecondsUnder(folder, run.out.trimmed(), &files);
        EXPECT_GT(blocks.size(), 2);
        EXPECT_EQ(files, blocks.size());

        QFile direct(folder.file(QStringLiteral("direct.txt")));
        ASSERT_TRUE(direct.open(QIODevice::WriteOnly));
        direct.write((program.plainText ? plainPunctuation(text.out) : text.out).toUtf8());
        direct.close();
        QStringList command = program.directCommand;
        ASSERT_EQ(QProcess::execute(command.takeFirst(), command), 0);
        const double spoken = readWavInfo(folder.file(QStringLiteral("direct.wav"))).seconds();
        std::cout << program.voiceName.toStdString() << ": recorded " << recorded << " s, spoken directly " << spoken
                  << " s\n";
        EXPECT_NEAR(recorded / spoken, 1.0, 0.2) << recorded << " s against " << spoken << " s";
    }
}

TEST(SpeechProgramCli, BookIsRecordedThroughTheProgramVoice)
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    const int voice = defineVoice(folder, QStringLiteral("espeak-ng -v ru+m3 -s {rate} -w {wav} -f {text}"));
    folder.writeCp1251(QStringLiteral("книга.txt"), kBookText);

    const CliRun speak = runCli(folder, {QStringLiteral("speak"), QStringLiteral("--voice"), QString::number(voice),
                                         folder.file(QStringLiteral("книга.txt")), QStringLiteral("-o"),
                                         folder.file(QStringLiteral("книга.wav"))});
    ASSERT_EQ(speak.exitCode, 0) << speak.err.toStdString();
    EXPECT_GT(readWavInfo(folder.file(QStringLiteral("книга.wav"))).seconds(), 5.0);

    const CliRun run = runCli(folder, {QStringLiteral("convert"), folder.file(QStringLiteral("книга.txt")),
                                       QStringLiteral("--title"), QStringLiteral("Книга"), QStringLiteral("--quiet")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList blocks =
        QDir(folder.file(QStringLiteral("Projects/Книга"))).entryList({QStringLiteral("0*.txt")}, QDir::Files);
    QStringList mp3s;
    // convert prints the book's audio folder.
    QDirIterator it(run.out.trimmed(), {QStringLiteral("*.mp3")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        mp3s.append(it.next());
    ASSERT_FALSE(blocks.isEmpty());
    EXPECT_EQ(mp3s.size(), blocks.size()) << mp3s.join(u'\n').toStdString();
    double seconds = 0;
    for (const QString &mp3 : std::as_const(mp3s))
        seconds += mp3Seconds(folder, mp3);
    // Russian speech at the normal rate says about 10 to 20 characters a second.
    EXPECT_GT(seconds, kBookText.size() / 25.0);
    EXPECT_LT(seconds, kBookText.size() / 5.0);
}

TEST(SpeechProgramCli, BrokenCommandIsToldClearly)
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    const int voice = defineVoice(folder, QStringLiteral("espeak-ng -v нет-такого-голоса -w {wav} -f {text}"));
    folder.writeCp1251(QStringLiteral("книга.txt"), kBookText);

    const CliRun speak = runCli(folder, {QStringLiteral("speak"), QStringLiteral("--voice"), QString::number(voice),
                                         folder.file(QStringLiteral("книга.txt")), QStringLiteral("-o"),
                                         folder.file(QStringLiteral("книга.wav"))});
    EXPECT_EQ(speak.exitCode, 1);
    EXPECT_TRUE(speak.err.contains(QStringLiteral("Речевая программа голоса «Голос эспик» завершилась с ошибкой")))
        << speak.err.toStdString();
    EXPECT_TRUE(speak.err.contains(QStringLiteral("voice does not exist")));

    const CliRun record =
        runCli(folder, {QStringLiteral("convert"), folder.file(QStringLiteral("книга.txt")), QStringLiteral("--title"),
                        QStringLiteral("Книга"), QStringLiteral("--quiet")});
    EXPECT_NE(record.exitCode, 0);
    EXPECT_TRUE(record.err.contains(QStringLiteral("voice does not exist"))) << record.err.toStdString();
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("ERROR.TXT"))));

    defineVoice(folder, QStringLiteral("нет-такой-программы -w {wav} -f {text}"));
    const CliRun missing =
        runCli(folder, {QStringLiteral("record"), QStringLiteral("Книга"), QStringLiteral("--quiet")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Речевая программа «нет-такой-программы» для голоса «Голос эспик» "
                                                    "не найдена")))
        << missing.err.toStdString();
}
