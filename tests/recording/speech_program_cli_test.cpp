// lectorium-cli with a speech program as the voice, as a user sets it up:
// "SpeechPrograms.ini" written by hand in a fresh program folder, the voice
// chosen by its number in "Lectorium.ini".

#include "common/ini_file.h"
#include "common/program_folder.h"
#include "speech_program_test_support.h"
#include "support/cli_run.h"
#include "wav_reading.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

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

} // namespace

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
