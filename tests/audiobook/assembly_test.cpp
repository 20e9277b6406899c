// Three blocks encoded by lame made into each kind of audiobook by the real
// FFmpeg, and read back with ffprobe: chapters, cover, tags, length; and the
// runs that stop half-way, lack blocks or find the book already made.

#include "audiobook/aac_bit_rate.h"
#include "audiobook/audiobook_assembler.h"
#include "audiobook/mp3_length.h"
#include "mp3/book_audio.h"

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

const QStringList kTitles = {QStringLiteral("Глава первая «Начало»"), QStringLiteral("Глава вторая: 'дорога'"),
                             QStringLiteral("Глава третья")};
const double kToneSeconds[] = {1.3, 2.3, 3.3};

#define REQUIRE_TOOLS()                                                                                                \
    do {                                                                                                               \
        if (!toolsInstalled({QStringLiteral("ffmpeg"), QStringLiteral("ffprobe"), QStringLiteral("lame")}))            \
            GTEST_SKIP() << "ffmpeg, ffprobe or lame is not installed";                                                \
    } while (false)

bool run(const QString &program, const QStringList &args)
{
    return runTool(program, args).succeeded;
}

QJsonObject probe(const QString &file)
{
    const ToolRun run =
        runTool(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-of"),
                                            QStringLiteral("json"), QStringLiteral("-show_format"),
                                            QStringLiteral("-show_streams"), QStringLiteral("-show_chapters"), file});
    return QJsonDocument::fromJson(run.out).object();
}

double number(const QJsonValue &value)
{
    return value.toString().toDouble();
}

// A book of three blocks whose MP3 files lame made from tones of different
// lengths, named as the recording names them, with a cover in its project.
struct ThreeBlockBook
{
    TempProgramFolder folder;
    Settings settings;
    TagInfo info;
    BlockTitles titles{kTitles};
    QString audioFolder = folder.file(QStringLiteral("Аудио/Книга \"в кавычках\""));
    QString projectFolder = folder.file(QStringLiteral("Projects/Книга"));
    BookAudio book{settings, folder.path(), audioFolder, QStringLiteral("Книга \"в кавычках\""), 3, info, titles};
    QList<double> blockSeconds;

    ThreeBlockBook()
    {
        info.title = QStringLiteral("Тихий Дон");
        info.author = QStringLiteral("Михаил Шолохов");
        info.date = QStringLiteral("1928");
        settings.artistTemplate = QStringLiteral("%A%");
        QDir().mkpath(audioFolder);
        QDir().mkpath(projectFolder);
    }

    void encodeBlock(int n)
    {
        const QString wav = folder.file(QStringLiteral("tone.wav"));
        ASSERT_TRUE(
            run(QStringLiteral("ffmpeg"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                 QStringLiteral("lavfi"), QStringLiteral("-i"),
                 QStringLiteral("sine=frequency=%1:duration=%2").arg(300 * n).arg(kToneSeconds[n - 1]),
                 QStringLiteral("-ac"), QStringLiteral("1"), QStringLiteral("-ar"), QStringLiteral("22050"), wav}));
        const QString mp3 = audioFolder + u'/' + mp3FileName(book, n, QStringLiteral("00-02"));
        ASSERT_TRUE(run(QStringLiteral("lame"),
                        {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("64"), wav, mp3}));
    }

    // About 15 seconds of espeak-ng's Russian, as a recording's block.
    void encodeSpeechBlock(int n)
    {
        const QString text = folder.file(QStringLiteral("block.txt"));
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("Глава %1. Старый дом стоял на краю деревни, и по вечерам в его окнах горел тёплый "
                                  "свет. Хозяин дома любил долгие прогулки по полю, а зимой читал вслух книги, "
                                  "которые привозил из города его младший брат, учитель гимназии.")
                       .arg(n)
                       .toUtf8());
        file.close();
        const QString wav = folder.file(QStringLiteral("speech.wav"));
        ASSERT_TRUE(run(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("ru"), QStringLiteral("-f"),
                                                      text, QStringLiteral("-w"), wav}));
        const QString mp3 = audioFolder + u'/' + mp3FileName(book, n, QStringLiteral("00-15"));
        ASSERT_TRUE(run(QStringLiteral("lame"),
                        {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("64"), wav, mp3}));
    }

    void encodeAll()
    {
        for (int n = 1; n <= 3; ++n)
            encodeBlock(n);
    }

    void makeCover()
    {
        ASSERT_TRUE(run(QStringLiteral("ffmpeg"),
                        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                         QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("color=c=blue:s=64x64"),
                         QStringLiteral("-frames:v"), QStringLiteral("1"), projectFolder + "/cover.jpg"}));
    }

    AudiobookAssembler assembler() { return AudiobookAssembler(book, projectFolder, mediaTools(folder.path())); }

    QList<double> probedBlockSeconds()
    {
        QList<double> seconds;
        for (int n = 1; n <= 3; ++n)
            seconds << number(probe(audioFolder + u'/' + existingMp3Name(book, n))[u"format"][u"duration"]);
        return seconds;
    }

    int blockFiles()
    {
        int files = 0;
        for (int n = 1; n <= 3; ++n)
            files += existingMp3Name(book, n).isEmpty() ? 0 : 1;
        return files;
    }
};

void expectBook(ThreeBlockBook &fixture, AudiobookFormat format)
{
    fixture.settings.audiobookFormat = format;
    fixture.encodeAll();
    fixture.makeCover();
    AudiobookAssembler assembler = fixture.assembler();
    ASSERT_EQ(assembler.finishBook(3).status, AssemblyStatus::Assembled);
    EXPECT_EQ(fixture.blockFiles(), 3) << "the blocks stay by default";

    const QJsonObject book = probe(assembler.bookFilePath());
    const QJsonArray chapters = book[u"chapters"].toArray();
    ASSERT_EQ(chapters.size(), 3);
    const QList<double> blocks = fixture.probedBlockSeconds();
    double start = 0;
    for (int i = 0; i < 3; ++i) {
        const QJsonObject chapter = chapters[i].toObject();
        EXPECT_EQ(chapter[u"tags"][u"title"].toString(), kTitles[i]);
        // Stored in milliseconds by both containers.
        EXPECT_NEAR(number(chapter[u"start_time"]), start, 0.0011) << i;
        start += blocks[i];
    }
    EXPECT_NEAR(number(book[u"format"][u"duration"]), start, 0.1 * 3);

    const QJsonObject tags = book[u"format"][u"tags"].toObject();
    EXPECT_EQ(tags[u"title"].toString(), QStringLiteral("Тихий Дон"));
    EXPECT_EQ(tags[u"artist"].toString(), QStringLiteral("Михаил Шолохов"));
    EXPECT_EQ(tags[u"album"].toString(), QStringLiteral("Тихий Дон"));
    bool cover = false;
    for (const QJsonValue stream : book[u"streams"].toArray())
        cover = cover || stream[u"disposition"][u"attached_pic"].toInt() == 1;
    EXPECT_TRUE(cover);
    EXPECT_FALSE(QFile::exists(assembler.bookFilePath() + QStringLiteral(".part")));
}

} // namespace

TEST(Assembly, LengthHeaderGivesTheProbersFigure)
{
    REQUIRE_TOOLS();
    TempProgramFolder folder;
    const QString wav = folder.file(QStringLiteral("tone.wav"));
    // Speech's rate and mono (576 samples a frame), CD rate and stereo
    // (1152), constant and variable bit rate.
    const std::pair<const char *, const char *> cases[] = {
        {"22050", "-b 64"}, {"22050", "-V 5"}, {"44100", "-b 128"}, {"44100", "-V 2"}, {"16000", "--abr 32"}};
    for (const auto &[rate, options] : cases) {
        ASSERT_TRUE(run(QStringLiteral("ffmpeg"),
                        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                         QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("sine=duration=3.7"),
                         QStringLiteral("-ar"), QLatin1String(rate), wav}));
        const QString mp3 = folder.file(QStringLiteral("block.mp3"));
        ASSERT_TRUE(run(QStringLiteral("lame"), QStringList{QStringLiteral("--quiet")}
                                                    + QString::fromLatin1(options).split(u' ')
                                                    + QStringList{wav, mp3}));
        const auto seconds = mp3HeaderSeconds(mp3);
        ASSERT_TRUE(seconds) << rate << options;
        EXPECT_NEAR(*seconds, number(probe(mp3)[u"format"][u"duration"]), 1e-6) << rate << " " << options;
    }
    EXPECT_FALSE(mp3HeaderSeconds(wav));
}

TEST(Assembly, M4bHasChaptersCoverTagsAndTheBlocksLength)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    expectBook(fixture, AudiobookFormat::M4bBook);
    EXPECT_TRUE(fixture.assembler().bookFilePath().endsWith(QStringLiteral("/Книга в кавычках.m4b")));
    const QJsonObject audio = probe(fixture.assembler().bookFilePath())[u"streams"][0].toObject();
    EXPECT_EQ(audio[u"codec_name"].toString(), QStringLiteral("aac"));
    EXPECT_EQ(audio[u"channels"].toInt(), 1);
}

TEST(Assembly, M4bOfSpeechKeepsToTheBitRateAsked)
{
    REQUIRE_TOOLS();
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
        GTEST_SKIP() << "espeak-ng is not installed";
    ThreeBlockBook fixture;
    fixture.settings.audiobookFormat = AudiobookFormat::M4bBook;
    fixture.settings.lameParameters = QStringLiteral("-b 64 -h");
    ASSERT_EQ(aacBitRate(fixture.settings.lameParameters), 48);
    for (int n = 1; n <= 3; ++n)
        fixture.encodeSpeechBlock(n);
    AudiobookAssembler assembler = fixture.assembler();
    ASSERT_EQ(assembler.finishBook(3).status, AssemblyStatus::Assembled);
    // 48 kb/s asked; at the voice's own 22,050 Hz FFmpeg's encoder made
    // 61.9 kb/s of these blocks (62.6 of an hour of speech).
    const QJsonObject audio = probe(assembler.bookFilePath())[u"streams"][0].toObject();
    EXPECT_NEAR(number(audio[u"bit_rate"]), 48000, 48000 * 0.15);
}

TEST(Assembly, Mp3BookHasChapterFramesCoverTagsAndTheBlocksLength)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    expectBook(fixture, AudiobookFormat::Mp3Book);
    const QJsonObject book = probe(fixture.assembler().bookFilePath());
    EXPECT_EQ(book[u"format"][u"format_name"].toString(), QStringLiteral("mp3"));
    // The joined frames are the blocks' frames: the length is their sum.
    double sum = 0;
    for (const double seconds : fixture.probedBlockSeconds())
        sum += seconds;
    EXPECT_NEAR(number(book[u"format"][u"duration"]), sum, 0.001);
}

TEST(Assembly, Mp3BookNeverTakesTheNameOfABlock)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    fixture.settings.audiobookFormat = AudiobookFormat::Mp3Book;
    fixture.settings.fileNameTemplate = QStringLiteral("%t%");
    fixture.titles = BlockTitles({QStringLiteral("Книга в кавычках"), kTitles[1], kTitles[2]});
    fixture.encodeAll();
    AudiobookAssembler assembler = fixture.assembler();
    ASSERT_EQ(assembler.finishBook(3).status, AssemblyStatus::Assembled);
    EXPECT_TRUE(assembler.bookFilePath().endsWith(QStringLiteral("/Книга в кавычках (книга).mp3")));
    EXPECT_EQ(probe(fixture.audioFolder + QStringLiteral("/Книга в кавычках.mp3"))[u"chapters"].toArray().size(), 0)
        << "the first block is still itself";
}

TEST(Assembly, PlaylistListsTheBlocksBesideThem)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    fixture.encodeAll();
    AudiobookAssembler assembler = fixture.assembler();
    EXPECT_EQ(assembler.finishBook(3).status, AssemblyStatus::PlaylistOnly);
    QFile playlist(assembler.playlistPath());
    ASSERT_TRUE(playlist.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(playlist.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("#EXTM3U"));
    EXPECT_EQ(lines[3], QStringLiteral("#EXTINF:2,") + kTitles[1]);
    EXPECT_EQ(lines[4], existingMp3Name(fixture.book, 2));
    EXPECT_TRUE(QFile::exists(fixture.audioFolder + u'/' + lines[6]));
    EXPECT_FALSE(QFile::exists(assembler.bookFilePath())) << "one file per block is the default";
}

TEST(Assembly, CutShortLeavesTheBlocksAndALaterRunMakesTheBook)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    fixture.settings.audiobookFormat = AudiobookFormat::M4bBook;
    fixture.encodeAll();
    // A stand-in for FFmpeg that has written part of the book when the
    // user's stop (or the end of the program) comes.
    const QString slowFfmpeg = fixture.folder.file(QStringLiteral("slow-ffmpeg"));
    QFile script(slowFfmpeg);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor last; do :; done\nprintf torn > \"$last\"\nexec sleep 30\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    AudiobookAssembler cut(fixture.book, fixture.projectFolder, {slowFfmpeg, QStringLiteral("ffprobe")});
    const QString part = cut.bookFilePath() + QStringLiteral(".part");
    cut.keepGoing = [&] { return !QFile::exists(part); };
    EXPECT_EQ(cut.finishBook(3).status, AssemblyStatus::Cancelled);
    EXPECT_EQ(fixture.blockFiles(), 3);
    EXPECT_FALSE(QFile::exists(cut.bookFilePath()));
    EXPECT_FALSE(QFile::exists(part));

    // A killed run leaves its temporary file: the next run replaces it.
    QFile leftover(part);
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("torn");
    leftover.close();
    AudiobookAssembler assembler = fixture.assembler();
    EXPECT_EQ(assembler.finishBook(3).status, AssemblyStatus::Assembled);
    EXPECT_EQ(probe(assembler.bookFilePath())[u"chapters"].toArray().size(), 3);
    EXPECT_FALSE(QFile::exists(part));
    EXPECT_EQ(assembler.finishBook(3).status, AssemblyStatus::UpToDate);
}

TEST(Assembly, BookWaitsForMissingBlocksAndGrowsWithTheRange)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    fixture.settings.audiobookFormat = AudiobookFormat::Mp3Book;
    fixture.encodeBlock(1);
    fixture.encodeBlock(3);
    AudiobookAssembler assembler = fixture.assembler();
    const AssemblyResult waiting = assembler.finishBook(3);
    EXPECT_EQ(waiting.status, AssemblyStatus::Incomplete);
    EXPECT_TRUE(waiting.message.contains(QStringLiteral("блоков 2"))) << waiting.message.toStdString();
    EXPECT_FALSE(QFile::exists(assembler.bookFilePath()));

    // Block 1 alone is a whole range 1-1; block 3, older than that book,
    // joins when the range reaches it.
    EXPECT_EQ(assembler.finishBook(1).status, AssemblyStatus::Assembled);
    fixture.encodeBlock(2);
    EXPECT_EQ(assembler.finishBook(2).status, AssemblyStatus::Assembled);
    EXPECT_EQ(probe(assembler.bookFilePath())[u"chapters"].toArray().size(), 2);
    EXPECT_EQ(assembler.finishBook(3).status, AssemblyStatus::Assembled);
    EXPECT_EQ(probe(assembler.bookFilePath())[u"chapters"].toArray().size(), 3);
}

TEST(Assembly, BlocksAreDeletedOnlyWhenTheBookHoldsThemAll)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    fixture.settings.audiobookFormat = AudiobookFormat::M4bBook;
    fixture.settings.deleteBlockMp3 = true;
    fixture.encodeAll();
    AudiobookAssembler assembler = fixture.assembler();
    EXPECT_EQ(assembler.finishBook(2).status, AssemblyStatus::Assembled);
    EXPECT_EQ(fixture.blockFiles(), 3);
    EXPECT_EQ(assembler.finishBook(3).status, AssemblyStatus::Assembled);
    EXPECT_EQ(fixture.blockFiles(), 0);
    EXPECT_FALSE(QFile::exists(assembler.playlistPath()));
    EXPECT_TRUE(QFile::exists(assembler.bookFilePath()));
}

TEST(Assembly, MissingFfmpegIsToldAndKeepsTheBlocks)
{
    REQUIRE_TOOLS();
    ThreeBlockBook fixture;
    fixture.settings.audiobookFormat = AudiobookFormat::M4bBook;
    fixture.encodeAll();
    AudiobookAssembler assembler(fixture.book, fixture.projectFolder,
                                 {QStringLiteral("/nonexistent/ffmpeg"), QStringLiteral("/nonexistent/ffprobe")});
    const AssemblyResult result = assembler.finishBook(3);
    EXPECT_EQ(result.status, AssemblyStatus::Failed);
    EXPECT_TRUE(result.message.contains(QStringLiteral("Установите пакет ffmpeg")));
    EXPECT_EQ(fixture.blockFiles(), 3);

    // One file per block needs no FFmpeg: the lengths come from the
    // blocks' own headers.
    fixture.settings.audiobookFormat = AudiobookFormat::BlockMp3;
    EXPECT_EQ(assembler.finishBook(3).status, AssemblyStatus::PlaylistOnly);
    QFile playlist(assembler.playlistPath());
    ASSERT_TRUE(playlist.open(QIODevice::ReadOnly));
    EXPECT_TRUE(playlist.readAll().contains("#EXTINF:3,"));
}
