// A short book spoken and encoded by lectorium-cli into each one-file kind,
// read back with ffprobe: a chapter per block, titled by the table of
// contents, the book's tags in Cyrillic.

#include "support/cli_run.h"
#include "support/temp_program_folder.h"

#include <QDir>
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
    QProcess process;
    process.start(QStringLiteral("ffprobe"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-of"), QStringLiteral("json"),
                   QStringLiteral("-show_format"), QStringLiteral("-show_chapters"), file});
    process.waitForFinished(60000);
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

} // namespace

TEST(RecordFormats, CommandLineRecordsEachKindOfBook)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("дон.txt"), threeChapterBook());
    const CliRun converted =
        runCli(folder, {QStringLiteral("convert"), folder.file(QStringLiteral("дон.txt")), QStringLiteral("--title"),
                        QStringLiteral("Тихий Дон"), QStringLiteral("--format"), QStringLiteral("m4b"),
                        QStringLiteral("--quiet")});
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
