// lectorium-cli voices and speak, run as the user would run them.

#include "common/ini_file.h"
#include "common/text_codec.h"
#include "recording/speech/speech_voice.h"
#include "support/cli_run.h"
#include "support/temp_program_folder.h"
#include "wav_reading.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(SpeechCli, ListsVoicesRussianFirstWithIndexNameAndKind)
{
    TempProgramFolder folder;
    const CliRun run = runCli(folder, {QStringLiteral("voices")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The engine's voices (kind 8); a fresh folder adds the speech programs
    // it found (kind 16) after them.
    const QStringList lines =
        run.out.split(u'\n', Qt::SkipEmptyParts).filter(QRegularExpression(QStringLiteral("\\t8$")));
    ASSERT_EQ(lines.size(), SpeechVoice::voices().size());
    // The engine's Russian voice first, under its Russian name and with the
    // index the settings store; the other languages after, by their names.
    EXPECT_EQ(lines.first(), QStringLiteral("%1\tРусский\t8").arg(SpeechVoice::voiceForLanguage(QStringLiteral("ru"))));
    EXPECT_FALSE(run.out.contains(QStringLiteral("\tRussian")));
    EXPECT_TRUE(run.out.contains(QRegularExpression(QStringLiteral("\\n\\d+\\tEnglish \\(Great Britain\\)\\t8\\n"))));
}

TEST(SpeechCli, SpeaksWindows1251AndUtf8TextAndXmlIntoWavs)
{
    TempProgramFolder folder;
    const QString text = QStringLiteral("Раз, два. Три!");
    folder.writeCp1251(QStringLiteral("cp1251.txt"), text);
    QFile utf8(folder.file(QStringLiteral("utf8.txt")));
    ASSERT_TRUE(utf8.open(QIODevice::WriteOnly));
    utf8.write(text.toUtf8());
    utf8.close();
    folder.writeCp1251(QStringLiteral("pause.xml"), QStringLiteral("<silence msec=\"500\"/>") + text);

    const auto speak = [&](const QStringList &args, const QString &out) {
        const CliRun run = runCli(folder, QStringList{QStringLiteral("speak")} + args
                                              + QStringList{QStringLiteral("-o"), folder.file(out)});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return readWavInfo(folder.file(out));
    };
    const WavInfo fromCp1251 = speak({folder.file(QStringLiteral("cp1251.txt"))}, QStringLiteral("a.wav"));
    const WavInfo fromUtf8 = speak({folder.file(QStringLiteral("utf8.txt"))}, QStringLiteral("b.wav"));
    const WavInfo withPause =
        speak({QStringLiteral("--xml"), folder.file(QStringLiteral("pause.xml"))}, QStringLiteral("c.wav"));
    EXPECT_TRUE(fromCp1251.valid);
    EXPECT_GT(fromCp1251.seconds(), 1.0);
    EXPECT_NEAR(fromUtf8.msecs(), fromCp1251.msecs(), 20);
    EXPECT_NEAR(withPause.msecs() - fromCp1251.msecs(), 500, 20);

    const CliRun badVoice = runCli(folder, {QStringLiteral("speak"), QStringLiteral("--voice"), QStringLiteral("9999"),
                                            folder.file(QStringLiteral("cp1251.txt")), QStringLiteral("-o"),
                                            folder.file(QStringLiteral("d.wav"))});
    EXPECT_EQ(badVoice.exitCode, 1);
    EXPECT_TRUE(badVoice.err.contains(QStringLiteral("9999")));
}

TEST(SpeechCli, PrintsThePhonemesWithTheStressTheMarksSet)
{
    TempProgramFolder folder;
    const auto phonemes = [&](const QStringList &args) {
        const CliRun run = runCli(folder, QStringList{QStringLiteral("phonemes")} + args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.trimmed();
    };
    const QString own = phonemes({QStringLiteral("замок")});
    const QString first = phonemes({QStringLiteral("за+мок")});
    EXPECT_EQ(phonemes({QStringLiteral("замо+к")}), own);
    EXPECT_NE(first, own);
    EXPECT_LT(first.indexOf(u'\''), own.indexOf(u'\''));
    // the words of the arguments are one text, a line per clause
    EXPECT_EQ(
        phonemes({QStringLiteral("Старый"), QStringLiteral("за+мок."), QStringLiteral("Замок.")}).split(u'\n').size(),
        2);

    EXPECT_EQ(runCli(folder, {QStringLiteral("phonemes")}).exitCode, 2);
    const CliRun badVoice = runCli(folder, {QStringLiteral("phonemes"), QStringLiteral("--voice"),
                                            QStringLiteral("9999"), QStringLiteral("замок")});
    EXPECT_EQ(badVoice.exitCode, 1);
    EXPECT_TRUE(badVoice.err.contains(QStringLiteral("9999")));
}

TEST(SpeechCli, PhonemesSayWhatTheRecordingSaysAutomaticStressesIncluded)
{
    TempProgramFolder folder;
    const auto phonemes = [&](const QStringList &args) {
        const CliRun run = runCli(folder, QStringList{QStringLiteral("phonemes")} + args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.trimmed();
    };
    // The voice alone says "у́же"; the lexicon knows "уже́".
    const QString marked = phonemes({QStringLiteral("уже+")});
    EXPECT_EQ(phonemes({QStringLiteral("уже")}), marked);
    EXPECT_NE(phonemes({QStringLiteral("--no-auto-stress"), QStringLiteral("уже")}), marked);

    // The settings' switch does the same for every run.
    ASSERT_TRUE(writeIni(QStringLiteral("Настройки голоса"), QStringLiteral("Расставлять ударения автоматически"), 0,
                         folder.file(QStringLiteral("Lectorium.ini"))));
    EXPECT_NE(phonemes({QStringLiteral("уже")}), marked);
}

TEST(SpeechCli, StressPrintsTheMarksOrTheWordsLeftToTheVoice)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("book.txt"),
                       QStringLiteral("Уже поздно, еще идет дождь. Замок, замок и Бумбарашкин.\r\n"));
    const QString book = folder.file(QStringLiteral("book.txt"));
    const CliRun marks = runCli(folder, {QStringLiteral("stress"), book});
    EXPECT_EQ(marks.exitCode, 0) << marks.err.toStdString();
    EXPECT_EQ(marks.out, QStringLiteral("Уже+ по+здно, ещё идёт дождь. Замок, замок и Бумбарашкин.\r\n"));

    const CliRun undecided = runCli(folder, {QStringLiteral("stress"), QStringLiteral("--undecided"), book});
    EXPECT_EQ(undecided.out, QStringLiteral("замок\t2\nБумбарашкин\t1\n"));

    const CliRun off = runCli(folder, {QStringLiteral("stress"), book, QStringLiteral("--no-auto-stress")});
    EXPECT_EQ(off.out, QStringLiteral("Уже поздно, еще идет дождь. Замок, замок и Бумбарашкин.\r\n"));
    EXPECT_EQ(runCli(folder, {QStringLiteral("stress")}).exitCode, 2);
}

TEST(SpeechCli, RomanNumeralsAndNumbersAreSaidInRussian)
{
    TempProgramFolder folder;
    const auto phonemes = [&](const QString &text) {
        const CliRun run = runCli(folder, {QStringLiteral("phonemes"), text});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.trimmed();
    };
    const struct
    {
        QString written, said;
    } cases[] = {
        {QStringLiteral("Глава II"), QStringLiteral("Глава вторая")},
        {QStringLiteral("в XIX веке"), QStringLiteral("в девятнадцатом веке")},
        {QStringLiteral("в 1812 году"), QStringLiteral("в тысяча восемьсот двенадцатом году")},
    };
    for (const auto &c : cases) {
        const QString heard = phonemes(c.written);
        EXPECT_FALSE(heard.contains(QStringLiteral("(en)"))) << heard.toStdString();
        EXPECT_EQ(heard, phonemes(c.said)) << c.written.toStdString();
    }
}
