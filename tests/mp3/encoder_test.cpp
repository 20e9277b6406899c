#include "id3v2_reader.h"

#include "app/project_store.h"
#include "common/program_version.h"
#include "mp3/book_output_files.h"
#include "mp3/lame_command.h"
#include "mp3/wav_duration.h"

#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>

#include <gtest/gtest.h>

namespace {

// A 16-bit mono WAV of `seconds` of a quiet tone at `rate` samples a second.
QByteArray wavBytes(double seconds, int rate = 22050)
{
    const qint32 samples = qint32(seconds * rate);
    QByteArray data(samples * 2, Qt::Uninitialized);
    for (qint32 i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(qint16(3000 * std::sin(i * 0.05)), data.data() + 2 * i);
    QByteArray header(44, 0);
    char *h = header.data();
    memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(36 + data.size(), h + 4);
    memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);
    qToLittleEndian<quint16>(1, h + 22);
    qToLittleEndian<quint32>(rate, h + 24);
    qToLittleEndian<quint32>(rate * 2, h + 28);
    qToLittleEndian<quint16>(2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(data.size(), h + 40);
    return header + data;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A book with three blocks in a temporary output folder.
struct BookFixture
{
    TempProgramFolder folder;
    Settings settings;
    TagInfo info;
    BlockTitles titles{{u"Глава первая"_qs, u"Глава 1.2"_qs, u"Что? Где! Ёлка..."_qs}};
    BookAudio book{settings, folder.path(), folder.file(u"Аудио/Книга"_qs), u"Книга"_qs, 3, info, titles};

    BookFixture() { QDir().mkpath(book.audioFolder); }
    QString audio(const QString &name) const { return book.audioFolder + u'/' + name; }
};

} // namespace

TEST(WavDuration, FromHeaderOrFromLength)
{
    TempProgramFolder folder;
    struct Case
    {
        const char *name;
        QByteArray bytes;
        const char *expected;
    };
    const Case cases[] = {
        {"headerless-short", QByteArray(32050, 'x'), "00-01"},
        {"headerless-hour", QByteArray(3600 * 32000 + 50, 'x'), "01-00-00"},
        {"headerless-tiny", QByteArray(10, 'x'), "00-00"},
        {"speech-rate", wavBytes(75.4), "01-15"},
        {"half-to-even", wavBytes(2.5, 8000), "00-02"},
        {"cd-rate", wavBytes(3.5, 44100), "00-04"},
    };
    for (const auto &c : cases) {
        writeFile(folder.file(QString::fromLatin1(c.name)), c.bytes);
        EXPECT_EQ(wavDuration(folder.file(QString::fromLatin1(c.name))), QString::fromLatin1(c.expected)) << c.name;
    }
    EXPECT_EQ(wavDuration({}), u"00-00"_qs);
    EXPECT_EQ(wavDuration(folder.file(u"missing.wav"_qs)), u"00-00"_qs);

    // A stream that was never closed has no data size yet: the file's length counts.
    QByteArray open = wavBytes(4);
    qToLittleEndian<quint32>(0, open.data() + 40);
    writeFile(folder.file(u"open.wav"_qs), open);
    EXPECT_EQ(wavDuration(folder.file(u"open.wav"_qs)), u"00-04"_qs);
}

TEST(PadNumber, PadsOnlyShortNumbers)
{
    EXPECT_EQ(padNumber(7, 2), u"07"_qs);
    EXPECT_EQ(padNumber(7, 0), u"7"_qs);
    EXPECT_EQ(padNumber(123, 2), u"123"_qs);
    EXPECT_EQ(padNumber(0, 3), u"000"_qs);
}

TEST(BookAudio, WavAndMp3NamesFollowTheOptions)
{
    BookFixture f;
    EXPECT_EQ(wavFileName(f.book, 1), u"1-Глава первая.wav"_qs);
    EXPECT_EQ(f.info.blockTitle, u"Глава первая"_qs);
    EXPECT_EQ(f.info.blockCount, 3);
    f.settings.removeDots = true;
    f.settings.fileNameTemplate = u"%t%"_qs;
    EXPECT_EQ(mp3FileName(f.book, 2, {}), u"Глава 1 2.mp3"_qs);
    f.settings.replaceSpaces = true;
    EXPECT_EQ(mp3FileName(f.book, 2, {}), u"Глава_1_2.mp3"_qs);
    f.settings.yoToYe = true;
    EXPECT_EQ(wavFileName(f.book, 3), u"Что_Где_Елка.wav"_qs);
}

TEST(CheckMp3, FindsAnyFiveCharacterDuration)
{
    BookFixture f;
    f.settings.fileNameTemplate = u"%n% %t% [%l%]"_qs;
    f.settings.removeDots = true;
    f.settings.replaceSpaces = true;
    EXPECT_FALSE(mp3Exists(f.book, 2));
    writeFile(f.audio(u"2_Глава_1_2_[01-17].mp3"_qs), "x");
    EXPECT_TRUE(mp3Exists(f.book, 2));
    EXPECT_FALSE(mp3Exists(f.book, 1));
    writeFile(f.audio(u"1_Глава_первая_[01-00-00].mp3"_qs), "x");
    EXPECT_FALSE(mp3Exists(f.book, 1)) << "an hour-long duration is longer than MM-SS";
    writeFile(f.audio(u"4_[00-01].mp3"_qs), "x");
    EXPECT_FALSE(mp3Exists(f.book, 4)) << "past the last block";

    // Brackets and other pattern characters in a name are literal.
    writeFile(f.audio(u"1_Глава_первая_[0a-0b].mp3"_qs), "x");
    EXPECT_TRUE(mp3Exists(f.book, 1));
    f.book.audioFolder = f.folder.file(u"нет такой"_qs);
    EXPECT_FALSE(mp3Exists(f.book, 1));
}

// An encoder killed half-way leaves a cut-short file under its temporary name
// only: the block does not count as finished, and the next run clears it away
// with the WAV of any block whose MP3 is whole.
TEST(BookOutputFiles, AnInterruptedEncoderLeavesNoFinishedBlock)
{
    BookFixture f;
    f.settings.deleteWav = true;
    BookOutputFiles files(f.book);
    writeFile(f.audio(files.wavFileName(1)), wavBytes(0.5));
    writeFile(f.audio(files.wavFileName(2)), wavBytes(0.5));
    const auto job = files.encoderJob(1);
    ASSERT_TRUE(job);
    writeFile(job->arguments.last(), "cut short"); // the encoder was killed here
    EXPECT_FALSE(mp3Exists(f.book, 1));
    files.discardMp3(1);
    EXPECT_FALSE(QFile::exists(job->arguments.last()));

    writeFile(job->arguments.last(), "whole");
    ASSERT_TRUE(files.keepEncodedMp3(1));
    EXPECT_TRUE(mp3Exists(f.book, 1));
    writeFile(f.audio(u"2-Глава 1.2.mp3.part"_qs), "cut short");
    BookOutputFiles(f.book).removeLeftovers();
    EXPECT_EQ(QDir(f.book.audioFolder).entryList(QDir::Files),
              QStringList({u"1-Глава первая.mp3"_qs, files.wavFileName(2)}));
}

TEST(Lame, CommandLineWithAndWithoutTags)
{
    BookFixture f;
    f.settings.lameParameters = u"-b 32 -h"_qs;
    f.settings.id3Tags = false;
    writeFile(f.audio(u"1-Глава первая.wav"_qs), QByteArray(51, 'x'));
    const QString lame = lameProgram(f.folder.path());
    auto command = encoderCommand(f.book, 1);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->commandLine, lame + u" -b 32 -h \""_qs + f.audio(u"1-Глава первая.wav"_qs) + u"\" \""_qs
                                        + f.audio(u"1-Глава первая.mp3.part"_qs) + u'"');
    EXPECT_EQ(command->request.arguments, QStringList({u"-b"_qs, u"32"_qs, u"-h"_qs, f.audio(u"1-Глава первая.wav"_qs),
                                                       f.audio(u"1-Глава первая.mp3.part"_qs)}));
    EXPECT_EQ(command->request.environment.value(u"LC_ALL"_qs), u"C.UTF-8"_qs);

    f.settings.id3Tags = true;
    f.settings.fileNameTemplate = u"%n% %l%"_qs;
    f.settings.lamePriority = 2;
    command = encoderCommand(f.book, 2);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->mp3Path, f.audio(u"2 00-00.mp3"_qs)) << "a missing WAV has no length";
    EXPECT_TRUE(command->commandLine.startsWith(lame + u" -b 32 -h --ignore-tag-errors --add-id3v2 --ta \"Книга\""_qs));
    EXPECT_TRUE(command->commandLine.endsWith(u"--tg \"Speech\" \""_qs + f.audio(u"2.wav"_qs) + u"\" \""_qs
                                              + f.audio(u"2 00-00.mp3.part"_qs) + u'"'));
    EXPECT_EQ(command->request.priority, 2);
}

TEST(Lame, EmptyWavGivesNoJob)
{
    BookFixture f;
    writeFile(f.audio(u"1-Глава первая.wav"_qs), QByteArray(50, 'x'));
    EXPECT_FALSE(encoderCommand(f.book, 1));
    BookOutputFiles files(f.book);
    EXPECT_FALSE(files.encoderJob(1));
}

TEST(Lame, OwnEncoderInTheProgramFolderComesFirst)
{
    TempProgramFolder folder;
    EXPECT_NE(lameProgram(folder.path()), folder.file(u"lame"_qs));
    writeFile(folder.file(u"lame"_qs), "#!/bin/sh\n");
    QFile(folder.file(u"lame"_qs)).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(lameProgram(folder.path()), folder.file(u"lame"_qs));
}

class RealEncoder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (lameProgram(f.folder.path()) == u"lame"_qs)
            GTEST_SKIP() << "lame is not installed";
        f.settings.lameParameters = u"-b 32 --quiet"_qs;
    }
    BookFixture f;
};

TEST_F(RealEncoder, CyrillicAndShellCharactersReachTheTags)
{
    f.info.title = u"Война и мир"_qs;
    f.info.author = u"Лев \"Лёва\" Толстой"_qs;
    f.settings.artistTemplate = u"%A%"_qs;
    f.settings.albumTemplate = u"%T% 'том' $HOME `id` \\n"_qs;
    f.settings.fileNameTemplate = u"%n%-%t% %l%"_qs;
    const BlockTitles hostile({u"-V 0 --help \"; rm -rf / #"_qs, u"Глава 2"_qs});
    BookAudio book{f.settings, f.folder.path(), f.book.audioFolder, u"Книга"_qs, 2, f.info, hostile};

    BookOutputFiles files(book);
    writeFile(f.audio(files.wavFileName(1)), wavBytes(1.2));
    const auto job = files.encoderJob(1);
    ASSERT_TRUE(job);
    ProcessRunner runner;
    ASSERT_TRUE(runner.runProcess(*job));
    ASSERT_TRUE(runner.waitForEnd(60000));
    EXPECT_EQ(runner.lastExitCode(), 0);
    ASSERT_TRUE(files.keepEncodedMp3(1));
    EXPECT_FALSE(files.keepEncodedMp3(2));

    const QString mp3 = f.audio(u"1--V 0 --help rm -rf - # 00-01.mp3"_qs);
    ASSERT_TRUE(QFile::exists(mp3)) << QDir(f.book.audioFolder).entryList().join(u"|"_qs).toStdString();
    const auto frames = readId3v2Frames(mp3);
    EXPECT_EQ(frames.value(u"TPE1"_qs), u"Лев \"Лёва\" Толстой"_qs);
    EXPECT_EQ(frames.value(u"TALB"_qs), u"Война и мир 'том' $HOME `id` \\n"_qs);
    EXPECT_EQ(frames.value(u"TIT2"_qs), u"-V 0 --help \"; rm -rf / #"_qs);
    EXPECT_EQ(frames.value(u"TRCK"_qs), u"1"_qs);
    EXPECT_EQ(frames.value(u"TCON"_qs), u"Speech"_qs);
    EXPECT_EQ(frames.value(u"COMM"_qs),
              u"Lectorium "_qs + programVersion() + u" - программа для создания аудиокниг"_qs);

    // Where another tag reader is installed it must agree.
    const QString ffprobe = QStandardPaths::findExecutable(u"ffprobe"_qs);
    if (ffprobe.isEmpty())
        return;
    QProcess probe;
    probe.start(ffprobe, {u"-v"_qs, u"quiet"_qs, u"-of"_qs, u"json"_qs, u"-show_entries"_qs, u"format_tags"_qs, mp3});
    ASSERT_TRUE(probe.waitForFinished(30000));
    const QJsonObject read = QJsonDocument::fromJson(probe.readAllStandardOutput())
                                 .object()
                                 .value(u"format"_qs)
                                 .toObject()
                                 .value(u"tags"_qs)
                                 .toObject();
    EXPECT_EQ(read.value(u"title"_qs).toString(), frames.value(u"TIT2"_qs));
    EXPECT_EQ(read.value(u"artist"_qs).toString(), frames.value(u"TPE1"_qs));
    EXPECT_EQ(read.value(u"album"_qs).toString(), frames.value(u"TALB"_qs));
    EXPECT_EQ(read.value(u"comment"_qs).toString(), frames.value(u"COMM"_qs));
}

// A book added from a text file with its title typed has no title in its
// description: the album is the book's name all the same, so a player keeps
// its files together; the date of a described book gives the year.
TEST_F(RealEncoder, EveryFileHasTheBookAsItsAlbumAndTheYearOfItsDate)
{
    f.settings.albumTemplate = u"%T%"_qs; // as shipped
    BookOutputFiles files(f.book);
    for (int n = 1; n <= 2; ++n) {
        if (n == 2) {
            f.info.title = u"Смотритель"_qs;
            f.info.date = u"1 мая 1911"_qs;
        }
        writeFile(f.audio(files.wavFileName(n)), wavBytes(0.5));
        const auto job = files.encoderJob(n);
        ASSERT_TRUE(job);
        ProcessRunner runner;
        ASSERT_TRUE(runner.runProcess(*job));
        ASSERT_TRUE(runner.waitForEnd(60000));
        ASSERT_TRUE(files.keepEncodedMp3(n));
    }
    const QStringList mp3s = QDir(f.book.audioFolder).entryList({u"*.mp3"_qs}, QDir::Files, QDir::Name);
    ASSERT_EQ(mp3s.size(), 2);
    const auto first = readId3v2Frames(f.audio(mp3s[0]));
    EXPECT_EQ(first.value(u"TALB"_qs), u"Книга"_qs);
    EXPECT_FALSE(first.contains(u"TYER"_qs) || first.contains(u"TDRC"_qs));
    const auto second = readId3v2Frames(f.audio(mp3s[1]));
    EXPECT_EQ(second.value(u"TALB"_qs), u"Смотритель"_qs);
    EXPECT_EQ(second.value(u"TYER"_qs, second.value(u"TDRC"_qs)), u"1911"_qs);
}

// The book folder's cover goes into every MP3 as its attached picture.
TEST_F(RealEncoder, TheProjectCoverBecomesTheFrontCoverOfEveryMp3)
{
    const QByteArray png = QByteArray("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + QByteArray(17, '\1')
                           + QByteArray("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
    const QString projectFolder = bookFolder(f.folder.path(), f.book.libraryName);
    QDir().mkpath(projectFolder);
    writeFile(projectFolder + u"/cover.png"_qs, png);
    BookOutputFiles files(f.book);
    for (int n = 1; n <= 2; ++n) {
        writeFile(f.audio(files.wavFileName(n)), wavBytes(0.5));
        const auto job = files.encoderJob(n);
        ASSERT_TRUE(job);
        EXPECT_TRUE(job->arguments.contains(projectFolder + u"/cover.png"_qs));
        ProcessRunner runner;
        ASSERT_TRUE(runner.runProcess(*job));
        ASSERT_TRUE(runner.waitForEnd(60000));
        ASSERT_TRUE(files.keepEncodedMp3(n));
    }
    for (const QString &name : QDir(f.book.audioFolder).entryList({u"*.mp3"_qs})) {
        QFile mp3(f.audio(name));
        ASSERT_TRUE(mp3.open(QIODevice::ReadOnly));
        const QByteArray bytes = mp3.read(64 * 1024);
        // APIC: frame header, text encoding, "image/png", ..., the picture.
        const qsizetype frame = bytes.indexOf("APIC");
        ASSERT_GE(frame, 0) << name.toStdString();
        EXPECT_EQ(bytes.indexOf("image/png", frame), frame + 11);
        EXPECT_EQ(bytes[frame + 21], 3) << "picture type: front cover";
        EXPECT_GT(bytes.indexOf(png, frame), frame);
    }
}
