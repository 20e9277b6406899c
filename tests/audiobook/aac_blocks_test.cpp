// An M4B made of blocks encoded once to AAC: the blocks as the recording's
// encoder run makes them, their lengths against ffprobe's packet count, and
// the book FFmpeg copies them into, read back with ffprobe: chapters exact
// to the millisecond, nothing dropped or silent where blocks meet, cover and
// tags.

#include "audiobook/aac_block_files.h"
#include "audiobook/audiobook_assembler.h"
#include "audiobook/m4a_length.h"
#include "mp3/book_audio.h"

#include "common/process_runner.h"
#include "support/temp_program_folder.h"
#include "support/tool_run.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>

namespace {

#define REQUIRE_TOOLS()                                                                                                \
    do {                                                                                                               \
        if (!toolsInstalled({QStringLiteral("ffmpeg"), QStringLiteral("ffprobe")}))                                    \
            GTEST_SKIP() << "ffmpeg or ffprobe is not installed";                                                      \
    } while (false)

QByteArray output(const QString &program, const QStringList &args, bool errorOutput = false)
{
    const ToolRun run = runTool(program, args);
    EXPECT_TRUE(run.succeeded) << qPrintable(program) << " " << qPrintable(args.join(u' '));
    return errorOutput ? run.err : run.out;
}

QJsonObject probe(const QString &file)
{
    return QJsonDocument::fromJson(
               output(QStringLiteral("ffprobe"),
                      {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-of"), QStringLiteral("json"),
                       QStringLiteral("-count_packets"), QStringLiteral("-show_format"),
                       QStringLiteral("-show_streams"), QStringLiteral("-show_chapters"), file}))
        .object();
}

// The audio stream's packets, as ffprobe counts them.
int packets(const QJsonObject &probed)
{
    for (const QJsonValue stream : probed[u"streams"].toArray())
        if (stream[u"codec_type"].toString() == QStringLiteral("audio"))
            return stream[u"nb_read_packets"].toString().toInt();
    return -1;
}

// A tone of `seconds` at `rate` Hz as a mono 16-bit WAV, as a voice writes it.
void writeTone(const QString &wav, double seconds, int rate, int frequency)
{
    output(QStringLiteral("ffmpeg"),
           {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
            QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("sine=frequency=%1:duration=%2:sample_rate=%3").arg(frequency).arg(seconds).arg(rate),
            QStringLiteral("-ac"), QStringLiteral("1"), QStringLiteral("-c:a"), QStringLiteral("pcm_s16le"), wav});
}

bool encode(const QString &wav, const QString &m4a)
{
    ProcessRunner runner;
    ProcessRequest request = aacBlockRequest(QStringLiteral("ffmpeg"), wav, m4a, 48);
    request.settleMsecs = 0;
    return runner.runProcess(request) && runner.waitForEnd(-1) && runner.lastExitCode() == 0;
}

} // namespace

TEST(AacBlocks, PacketLengthIsTheProbersPacketCountInWholeFrames)
{
    REQUIRE_TOOLS();
    TempProgramFolder folder;
    // The voice's rate, a speech program's, a CD's; a block shorter than two
    // frames is left whole.
    const std::pair<double, int> cases[] = {{1.3, 22050}, {4.71, 22050}, {2.2, 16000}, {3.05, 44100}, {0.03, 22050}};
    for (const auto &[seconds, rate] : cases) {
        const QString wav = folder.file(QStringLiteral("tone.wav"));
        const QString m4a = folder.file(QStringLiteral("блок «1».m4a.part"));
        writeTone(wav, seconds, rate, 440);
        ASSERT_TRUE(encode(wav, m4a)) << seconds << " " << rate;
        const QJsonObject probed = probe(m4a);
        const auto length = m4aPacketSeconds(m4a);
        ASSERT_TRUE(length) << seconds << " " << rate;
        EXPECT_NEAR(*length, packets(probed) * double(kAacFrameSamples) / kAacBlockSampleRate, 1e-9)
            << seconds << " " << rate;
        // The sound is cut to whole frames, at most one frame shorter than
        // the tone, and the priming comes before it: no frame of padding.
        if (seconds > 0.1) {
            const int frames = int((std::floor(seconds * kAacBlockSampleRate) - 32) / kAacFrameSamples);
            EXPECT_EQ(packets(probed), frames + 1) << seconds << " " << rate;
        }
    }
    EXPECT_FALSE(m4aPacketSeconds(folder.file(QStringLiteral("tone.wav"))));
    EXPECT_FALSE(m4aPacketSeconds(folder.file(QStringLiteral("missing.m4a"))));
}

TEST(AacBlocks, BookIsTheBlocksCopiedWithExactChaptersAndNoGaps)
{
    REQUIRE_TOOLS();
    TempProgramFolder folder;
    Settings settings;
    settings.audiobookFormat = AudiobookFormat::M4bBook;
    settings.deleteBlockMp3 = true;
    settings.artistTemplate = QStringLiteral("%A%");
    ASSERT_TRUE(recordsAacBlocks(settings));
    TagInfo info;
    info.title = QStringLiteral("Тихий Дон");
    info.author = QStringLiteral("Михаил Шолохов");
    const QStringList titles = {QStringLiteral("Глава первая «Начало»"), QStringLiteral("Глава вторая: 'дорога'"),
                                QStringLiteral("Глава третья"), QStringLiteral("Глава четвёртая")};
    BlockTitles blockTitles{titles};
    const QString audioFolder = folder.file(QStringLiteral("Аудио/Книга \"в кавычках\""));
    const QString projectFolder = folder.file(QStringLiteral("Projects/Книга"));
    QDir().mkpath(audioFolder);
    QDir().mkpath(projectFolder);
    output(QStringLiteral("ffmpeg"),
           {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
            QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("color=c=blue:s=64x64"),
            QStringLiteral("-frames:v"), QStringLiteral("1"), projectFolder + "/cover.jpg"});
    BookAudio book{settings, folder.path(), audioFolder, QStringLiteral("Книга \"в кавычках\""), 4, info, blockTitles};

    // Blocks made as the recording makes them: a tone each, without a pause
    // at its ends, so any silence where blocks meet is the joining's.
    AacBlockFiles files(book, QStringLiteral("ffmpeg"));
    const double toneSeconds[] = {1.3, 2.35, 0.9, 3.1};
    for (int n = 1; n <= 4; ++n) {
        writeTone(audioFolder + u'/' + files.wavFileName(n), toneSeconds[n - 1], 22050, 300 + 100 * n);
        const std::optional<ProcessRequest> job = files.encoderJob(n);
        ASSERT_TRUE(job);
        ProcessRunner runner;
        ASSERT_TRUE(runner.runProcess(*job) && runner.waitForEnd(-1) && runner.lastExitCode() == 0);
        ASSERT_TRUE(files.keepEncodedMp3(n));
        ASSERT_TRUE(files.mp3Exists(n));
        EXPECT_FALSE(mp3Exists(book, n)) << "no MP3 is made";
    }
    QList<double> blockSeconds;
    int blockPackets = 0;
    for (int n = 1; n <= 4; ++n) {
        const QString m4a = audioFolder + u'/' + existingM4aName(book, n);
        blockSeconds << packets(probe(m4a)) * double(kAacFrameSamples) / kAacBlockSampleRate;
        blockPackets += packets(probe(m4a));
    }

    AudiobookAssembler assembler(book, projectFolder, mediaTools(folder.path()));
    ASSERT_EQ(assembler.finishBook(4).status, AssemblyStatus::Assembled);
    const QString bookFile = assembler.bookFilePath();
    EXPECT_TRUE(bookFile.endsWith(QStringLiteral("/Книга в кавычках.m4b")));
    EXPECT_FALSE(QFile::exists(bookFile + QStringLiteral(".part")));

    const QJsonObject probed = probe(bookFile);
    EXPECT_EQ(packets(probed), blockPackets) << "every packet of every block, copied";
    const QJsonArray chapters = probed[u"chapters"].toArray();
    ASSERT_EQ(chapters.size(), 4);
    double start = 0;
    for (int i = 0; i < 4; ++i) {
        const QJsonObject chapter = chapters[i].toObject();
        EXPECT_EQ(chapter[u"tags"][u"title"].toString(), titles[i]);
        EXPECT_NEAR(chapter[u"start_time"].toString().toDouble(), start, 0.0011) << i;
        start += blockSeconds[i];
    }
    // The first block's priming is hidden by the edit list.
    EXPECT_NEAR(probed[u"format"][u"duration"].toString().toDouble(),
                start - double(kAacFrameSamples) / kAacBlockSampleRate, 0.03);
    const QJsonObject tags = probed[u"format"][u"tags"].toObject();
    EXPECT_EQ(tags[u"title"].toString(), QStringLiteral("Тихий Дон"));
    EXPECT_EQ(tags[u"artist"].toString(), QStringLiteral("Михаил Шолохов"));
    bool cover = false;
    for (const QJsonValue stream : probed[u"streams"].toArray())
        cover = cover || stream[u"disposition"][u"attached_pic"].toInt() == 1;
    EXPECT_TRUE(cover);

    // Where blocks meet there is the priming of one frame (23 ms), below
    // what FFmpeg is asked to call silence; and no click: the tones run on.
    const QString silences =
        QString::fromUtf8(output(QStringLiteral("ffmpeg"),
                                 {QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"), QStringLiteral("-i"),
                                  bookFile, QStringLiteral("-map"), QStringLiteral("0:a"), QStringLiteral("-af"),
                                  QStringLiteral("silencedetect=noise=-50dB:d=0.03"), QStringLiteral("-f"),
                                  QStringLiteral("null"), QStringLiteral("-")},
                                 true));
    EXPECT_FALSE(silences.contains(QStringLiteral("silence_start"))) << qPrintable(silences);

    // The blocks go once the book holds them all, as MP3 blocks do.
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(existingM4aName(book, n).isEmpty()) << n;
}
