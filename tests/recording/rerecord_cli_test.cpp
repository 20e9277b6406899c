// lectorium-cli rerecord and say as the user runs them: a recorded book, a
// dictionary entry that touches one block, the blocks recorded again, and a
// re-recording killed half-way.

#include "recording/block_fingerprint.h"

#include "support/cli_run.h"
#include "support/temp_program_folder.h"
#include "support/wait_for.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const QString kBook = QStringLiteral("Книга");

// A book of three blocks in the library; the dictionaries are on, and the
// one dictionary is empty until a test writes an entry.
class RerecordCliTest : public ::testing::Test
{
protected:
    RerecordCliTest() : audio(folder.file(QStringLiteral("Аудио"))), bookAudio(audio + u'/' + kBook)
    {
        folder.writeCp1251(QStringLiteral("Lectorium.ini"),
                           QStringLiteral("[Настройки записи]\r\nОбработать словарем=1\r\n"));
        writeDictionary(QString());
        folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"мой.dic\",#TRUE#\r\n"));
    }

    void writeBlocks(const QString &second)
    {
        const QStringList blocks = {QStringLiteral("Старый дом стоял на краю деревни."), second,
                                    QStringLiteral("Хозяин любил долгие прогулки по полю.")};
        for (int n = 1; n <= 3; ++n)
            folder.writeCp1251(QStringLiteral("Projects/%1/%2.txt").arg(kBook).arg(n, 4, 10, QLatin1Char('0')),
                               blocks.at(n - 1) + QStringLiteral("\r\n"));
    }
    void writeDictionary(const QString &entries) const
    {
        folder.writeCp1251(QStringLiteral("Dic/мой.dic"), QStringLiteral("//Словарь Lectorium\r\n") + entries);
    }
    QStringList withOutput(QStringList args) const
    {
        return args << QStringLiteral("--output") << audio << QStringLiteral("--format") << QStringLiteral("mp3-book")
                    << QStringLiteral("--quiet");
    }
    // The MP3 files of block `n` ("Блок n" is its title).
    QStringList mp3Of(int n) const
    {
        return QDir(bookAudio).entryList({QStringLiteral("*Блок %1*.mp3").arg(n)}, QDir::Files);
    }
    QDateTime mp3Time(int n) const
    {
        const QStringList names = mp3Of(n);
        return names.size() == 1 ? QFileInfo(bookAudio + u'/' + names.first()).lastModified() : QDateTime();
    }
    QByteArray mp3Bytes(int n) const
    {
        const QStringList names = mp3Of(n);
        QFile file(bookAudio + u'/' + names.value(0));
        return names.size() == 1 && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString bookFile() const
    {
        const QStringList books =
            QDir(bookAudio).entryList({QStringLiteral("*.mp3")}, QDir::Files).filter(QStringLiteral("Блок"));
        const QStringList all = QDir(bookAudio).entryList({QStringLiteral("*.mp3")}, QDir::Files);
        for (const QString &name : all)
            if (!books.contains(name))
                return bookAudio + u'/' + name;
        return {};
    }
    void record()
    {
        const CliRun run = runCli(folder, withOutput({QStringLiteral("record"), kBook}));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        for (int n = 1; n <= 3; ++n)
            ASSERT_EQ(mp3Of(n).size(), 1) << n;
        ASSERT_EQ(readBlockFingerprints(bookAudio).size(), 3);
    }

    TempProgramFolder folder;
    QString audio;
    QString bookAudio;
};

} // namespace

TEST_F(RerecordCliTest, AnEntryThatTouchesBlockTwoRecordsExactlyBlockTwoAgain)
{
    writeBlocks(QStringLiteral("В окне горел свет."));
    record();
    const QString book = bookFile();
    ASSERT_FALSE(book.isEmpty());
    const QHash<int, BlockFingerprint> before = readBlockFingerprints(bookAudio);
    QDateTime times[4];
    for (int n = 1; n <= 3; ++n)
        times[n] = mp3Time(n);
    const QDateTime bookTime = QFileInfo(book).lastModified();

    // Nothing changed yet: nothing to record.
    CliRun run = runCli(folder, withOutput({QStringLiteral("rerecord"), kBook, "--changed-by-dictionaries"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("не изменили ни одного"))) << run.err.toStdString();

    writeDictionary(QStringLiteral("свет=свэт\r\n"));
    run = runCli(folder, withOutput({QStringLiteral("rerecord"), kBook, "--changed-by-dictionaries"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Блоки для перезаписи: 2\n"))) << run.err.toStdString();
    const QHash<int, BlockFingerprint> after = readBlockFingerprints(bookAudio);
    EXPECT_EQ(after.value(1), before.value(1));
    EXPECT_NE(after.value(2).text, before.value(2).text);
    EXPECT_EQ(after.value(2).voice, before.value(2).voice);
    EXPECT_EQ(after.value(3), before.value(3));
    EXPECT_EQ(mp3Time(1), times[1]);
    EXPECT_EQ(mp3Time(3), times[3]);
    EXPECT_EQ(mp3Of(2).size(), 1);
    EXPECT_GE(mp3Time(2), times[2]);
    // The one-file book holds the new block.
    EXPECT_GE(QFileInfo(book).lastModified(), mp3Time(2));
    EXPECT_GE(QFileInfo(book).lastModified(), bookTime);

    // By number: exactly the blocks named, whatever changed; the range the
    // user chose for the book stays as it was.
    const QByteArray project = folder.readBytes(QStringLiteral("Projects/Книга/project.ini"));
    run = runCli(folder, withOutput({QStringLiteral("rerecord"), kBook, "--blocks", "3,1"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Блоки для перезаписи: 1, 3"))) << run.err.toStdString();
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(mp3Of(n).size(), 1) << n;
    EXPECT_EQ(folder.readBytes(QStringLiteral("Projects/Книга/project.ini")), project);

    for (const QStringList &wrong :
         {QStringList{QStringLiteral("rerecord"), kBook},
          QStringList{QStringLiteral("rerecord"), kBook, "--blocks", "x"},
          QStringList{QStringLiteral("rerecord"), kBook, "--blocks", "2", "--changed-by-dictionaries"}})
        EXPECT_EQ(runCli(folder, wrong).exitCode, 2) << wrong.join(u' ').toStdString();
    EXPECT_EQ(runCli(folder, withOutput({QStringLiteral("rerecord"), kBook, "--blocks", "4"})).exitCode, 1);
}

TEST_F(RerecordCliTest, AReRecordingKilledHalfWayKeepsTheOldMp3AndIsDoneNextTime)
{
    // Block 2 is long enough to be caught while it is spoken.
    writeBlocks(QStringLiteral("В окне горел свет, и хозяин читал у огня старую книгу. ").repeated(15));
    record();
    const QByteArray old = mp3Bytes(2);
    ASSERT_FALSE(old.isEmpty());
    writeDictionary(QStringLiteral("свет=свэт\r\n"));

    QProcess rerecord;
    rerecord.start(QStringLiteral(LECTORIUM_BIN_DIR "/lectorium-cli"),
                   QStringList{QStringLiteral("--program-folder"), folder.path()}
                       + withOutput({QStringLiteral("rerecord"), kBook, "--changed-by-dictionaries"}));
    ASSERT_TRUE(rerecord.waitForStarted());
    // Killed while block 2's new sound is being made.
    const bool speaking = waitFor([&] {
        return !QDir(bookAudio).entryList({QStringLiteral("*.wav"), QStringLiteral("*.part")}, QDir::Files).isEmpty()
               || rerecord.state() == QProcess::NotRunning;
    });
    ASSERT_TRUE(speaking);
    ASSERT_EQ(rerecord.state(), QProcess::Running) << "the re-recording ended before it could be cut off";
    rerecord.kill();
    rerecord.waitForFinished();
    EXPECT_EQ(mp3Of(2).size(), 1);
    EXPECT_EQ(mp3Bytes(2), old);

    // The block still counts as changed: the next run records it.
    const CliRun run = runCli(folder, withOutput({QStringLiteral("rerecord"), kBook, "--changed-by-dictionaries"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Блоки для перезаписи: 2\n"))) << run.err.toStdString();
    EXPECT_EQ(mp3Of(2).size(), 1);
    EXPECT_NE(mp3Bytes(2), old);
    EXPECT_TRUE(QDir(bookAudio).entryList({QStringLiteral("*.wav"), QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

TEST(SayCli, SpeaksThroughTheDictionariesAsAWavOnStandardOutput)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Lectorium.ini"),
                       QStringLiteral("[Настройки записи]\r\nОбработать словарем=1\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/мой.dic"), QStringLiteral("свет=свэт\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"мой.dic\",#TRUE#\r\n"));
    QProcess say;
    say.start(QStringLiteral(LECTORIUM_BIN_DIR "/lectorium-cli"),
              {QStringLiteral("--program-folder"), folder.path(), QStringLiteral("say"), QStringLiteral("--show"),
               QStringLiteral("горел"), QStringLiteral("свет")});
    ASSERT_TRUE(say.waitForFinished(-1)) << "lectorium-cli did not start";
    const QByteArray wav = say.readAllStandardOutput();
    const QString shown = QString::fromUtf8(say.readAllStandardError());
    EXPECT_EQ(say.exitCode(), 0) << shown.toStdString();
    EXPECT_TRUE(wav.startsWith("RIFF")) << wav.left(16).toStdString();
    EXPECT_GT(wav.size(), 44 + 4000);
    // What is spoken went through the dictionary.
    EXPECT_TRUE(shown.contains(QStringLiteral("свэт"))) << shown.toStdString();
}
