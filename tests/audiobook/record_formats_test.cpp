// A short book spoken and encoded by lectorium-cli into each one-file kind,
// read back with ffprobe: a chapter per block, titled by the table of
// contents, the book's tags in Cyrillic.

#include "audiobook/mp3_length.h"
#include "recording/block_read_along.h"
#include "recording/read_along.h"

#include "support/cli_run.h"
#include "support/temp_program_folder.h"
#include "support/tool_run.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// Three chapters, each long enough to be a block of its own.
QString threeChapterBook()
{
    const QString sentence = QStringLiteral("Старый дом стоял на краю деревни, и по вечерам в его окнах горел свет. ");
    QString text;
    for (const char *heading : {"Глава первая", "Глава вторая", "Глава третья"})
        text +=
            QString::fromUtf8(heading) + QStringLiteral("\r\n\r\n") + sentence.repeated(3) + QStringLiteral("\r\n\r\n");
    return text;
}

QJsonObject probe(const QString &file)
{
    const ToolRun run =
        runTool(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-of"), QStringLiteral("json"),
                 QStringLiteral("-show_format"), QStringLiteral("-show_chapters"), file});
    return QJsonDocument::fromJson(run.out).object();
}

// "Тихий Дон" of three chapters converted by lectorium-cli with `options`.
CliRun convertThreeChapterBook(const TempProgramFolder &folder, const QStringList &options)
{
    folder.writeCp1251(QStringLiteral("дон.txt"), threeChapterBook());
    return runCli(folder, QStringList{QStringLiteral("convert"), folder.file(QStringLiteral("дон.txt")),
                                      QStringLiteral("--title"), QStringLiteral("Тихий Дон"), QStringLiteral("--quiet")}
                              + options);
}

} // namespace

TEST(RecordFormats, CommandLineRecordsEachKindOfBook)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempProgramFolder folder;
    const CliRun converted = convertThreeChapterBook(folder, {QStringLiteral("--format"), QStringLiteral("m4b")});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    const QDir audio(converted.out.trimmed());
    const QStringList blocks = audio.entryList({QStringLiteral("*-*.mp3")}, QDir::Files, QDir::Name);
    ASSERT_EQ(blocks.size(), 3) << blocks.join(u' ').toStdString();
    EXPECT_TRUE(audio.exists(QStringLiteral("Тихий Дон.m3u8")));

    // The same blocks, already there, made into the MP3 kind by a second run.
    const CliRun again = runCli(folder, {QStringLiteral("record"), QStringLiteral("Тихий Дон"),
                                         QStringLiteral("--format"), QStringLiteral("mp3-book")});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    // The minutes a long book takes to put together are not called waiting for LAME.
    EXPECT_TRUE(again.err.contains(QStringLiteral("Сборка аудиокниги «Тихий Дон»"))) << again.err.toStdString();

    for (const char *name : {"Тихий Дон.m4b", "Тихий Дон.mp3"}) {
        const QJsonObject book = probe(audio.filePath(QString::fromUtf8(name)));
        const QJsonArray chapters = book[u"chapters"].toArray();
        ASSERT_EQ(chapters.size(), 3) << name;
        EXPECT_EQ(chapters[1][u"tags"][u"title"].toString(), QStringLiteral("Глава вторая")) << name;
        EXPECT_EQ(book[u"format"][u"tags"][u"title"].toString(), QStringLiteral("Тихий Дон")) << name;
        EXPECT_GT(book[u"format"][u"duration"].toString().toDouble(), 5) << name;
    }

    const CliRun wrong = runCli(folder, {QStringLiteral("record"), QStringLiteral("Тихий Дон"),
                                         QStringLiteral("--format"), QStringLiteral("ogg")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("mp3, m4b или mp3-book")));
}

TEST(RecordFormats, LyricsComeBesideEachBlockAndTheWholeBookWithTheChaptersOffsets)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempProgramFolder folder;
    const CliRun converted = convertThreeChapterBook(
        folder, {QStringLiteral("--format"), QStringLiteral("mp3-book"), QStringLiteral("--lyrics")});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    const QDir audio(converted.out.trimmed());
    const QStringList blocks = audio.entryList({QStringLiteral("*-*.mp3")}, QDir::Files, QDir::Name);
    ASSERT_EQ(blocks.size(), 3);
    double offset = 0;
    QList<ReadAlongLine> expected;
    for (const QString &block : blocks) {
        const QString lrc = audio.filePath(readAlongPathFor(block));
        ASSERT_TRUE(QFile::exists(lrc)) << block.toStdString();
        QFile file(lrc);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<ReadAlongLine> lines = parseLrc(QString::fromUtf8(file.readAll()));
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.first().text.startsWith(QStringLiteral("Глава"))) << lines.first().text.toStdString();
        expected += shiftedLines(lines, offset);
        offset += mp3HeaderSeconds(audio.filePath(block)).value_or(0);
    }
    QFile whole(audio.filePath(QStringLiteral("Тихий Дон.lrc")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString wholeText = QString::fromUtf8(whole.readAll());
    EXPECT_TRUE(wholeText.startsWith(QStringLiteral("[ti:Тихий Дон]"))) << wholeText.left(80).toStdString();
    const QList<ReadAlongLine> book = parseLrc(wholeText);
    ASSERT_EQ(book.size(), expected.size());
    for (qsizetype i = 0; i < book.size(); ++i) {
        EXPECT_EQ(book[i].text, expected[i].text);
        EXPECT_NEAR(book[i].seconds, expected[i].seconds, 0.011) << i;
    }
    QFile srt(audio.filePath(QStringLiteral("Тихий Дон.srt")));
    ASSERT_TRUE(srt.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(srt.readAll()).startsWith(QStringLiteral("1\r\n00:00:")));
}
