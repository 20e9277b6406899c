#include "recording/recording_driver.h"

#include "common/text_codec.h"
#include "driver_stand_ins.h"
#include "support/temp_program_folder.h"
#include "support/wait_for.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSysInfo>
#include <QThread>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

class RecordingDriverTest : public ::testing::Test
{
protected:
    RecordingDriverTest()
        : audio(folder.file(QStringLiteral("Audiobooks/Книга"))), files(audio),
          driver(settings, folder.path(), voice, texts, sharedFiles(files), encoder, clock, host)
    {
        settings.compressMp3 = true;
        settings.deleteWav = true;
        QObject::connect(&driver, &RecordingDriver::finished, [this](const RecordingOutcome &o) {
            outcome = o;
            ++ends;
        });
    }

    RecordedBook book(int first = 1, int last = 3, int count = 3) const
    {
        return {QStringLiteral("Книга"), audio, count, first, last, {}};
    }

    // Ticks until the job ends (the encoder runs for real, so ticks wait a little).
    // Ticks until the recording ends. Its clock moves half a second a tick;
    // while the driver waits for a real encoder process it moves with the
    // wall clock instead, and those waits are no ticks, so a loaded machine
    // never makes a working encoder look hung or the recording look endless.
    // `hurryEncoders` keeps the half-second steps there too, for the test of
    // an encoder that does hang.
    void runToEnd(int maxTicks = 200, bool hurryEncoders = false)
    {
        QElapsedTimer wall;
        wall.start();
        int ticks = 0;
        while (ends == 0 && ticks < maxTicks && wall.elapsed() < kSafetyNetMsecs) {
            const qint64 before = wall.elapsed();
            driver.tick();
            if (!driver.isWaitingForEncoder()) {
                clock.seconds += 0.5;
                ++ticks;
                continue;
            }
            QThread::msleep(20);
            if (hurryEncoders) {
                clock.seconds += 0.5;
                ++ticks;
            } else {
                clock.seconds += double(wall.elapsed() - before) / 1000;
            }
        }
    }
    static constexpr qint64 kSafetyNetMsecs = 180000;

    QString wav(int n) const { return audio + QStringLiteral("/%1.wav").arg(n, 4, 10, QLatin1Char('0')); }

    TempProgramFolder folder;
    QString audio;
    Settings settings;
    StandInVoice voice;
    StandInTexts texts;
    StandInFiles files;
    EncoderPool encoder;
    StandInClock clock;
    StandInHost host;
    RecordingDriver driver;
    RecordingOutcome outcome;
    int ends = 0;
};

} // namespace

TEST_F(RecordingDriverTest, RecordsTheRangeEncodesAndDeletesTheWavs)
{
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_FALSE(outcome.stoppedByUser);
    EXPECT_FALSE(outcome.engineFailed);
    EXPECT_EQ(outcome.currentBlock, 3); // limited to the block count
    for (int n = 1; n <= 3; ++n) {
        EXPECT_TRUE(files.mp3Written(n)) << n;
        EXPECT_FALSE(QFile::exists(wav(n))) << n;
    }
    EXPECT_EQ(voice.spokenTexts.size(), 3);
    EXPECT_EQ(voice.spokenTexts[0], QStringLiteral("Текст блока 1 xml"));
    EXPECT_FALSE(driver.isRecording());
    // Every block is shown, even one spoken before the next look.
    EXPECT_EQ(host.blocks, QList<int>({1, 2, 3}));
}

TEST_F(RecordingDriverTest, SkipsFinishedBlocksAndEndsAtOnceWhenAllAreThere)
{
    files.existing = {1, 3};
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    EXPECT_EQ(voice.spokenTexts, QStringList({QStringLiteral("Текст блока 2 xml")}));

    files.existing = {1, 2, 3};
    ends = 0;
    EXPECT_FALSE(driver.startSingle(book()));
    EXPECT_EQ(ends, 1);
}

TEST_F(RecordingDriverTest, StopNowDeletesTheUnfinishedBlockWhichComesFirstNextTime)
{
    voice.looksPerBlock = 50;
    ASSERT_TRUE(driver.startSingle(book(2, 3)));
    driver.tick();
    ASSERT_TRUE(QFile::exists(wav(2)));
    driver.stopNow();
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(outcome.currentBlock, 2);
    EXPECT_FALSE(QFile::exists(wav(2)));
    EXPECT_FALSE(files.mp3Written(2));
}

TEST_F(RecordingDriverTest, StopAfterBlockFinishesTheBlock)
{
    ASSERT_TRUE(driver.startSingle(book()));
    driver.stopAfterBlock();
    runToEnd();
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(outcome.currentBlock, 2);
    EXPECT_TRUE(files.mp3Written(1));
    EXPECT_EQ(voice.spokenTexts.size(), 1);
}

TEST_F(RecordingDriverTest, StalledEngineIsRestartedThenReported)
{
    settings.attempts = 2;
    voice.stalled = true;
    ASSERT_TRUE(driver.startSingle(book()));
    for (int i = 0; i < 10 && ends == 0; ++i) {
        clock.seconds += 91; // each look finds 91 silent seconds
        driver.tick();
    }
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.engineFailed);
    EXPECT_EQ(voice.spokenTexts.size(), 3); // the block, then two restarts
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(
        QStringLiteral("Голосовой движок работает нестабильно!\nБыло предпринято 2 ")));
    const QString report = Codec::fromCp1251(folder.readBytes(QStringLiteral("ERROR.TXT")));
    EXPECT_TRUE(report.startsWith(QStringLiteral("Lectorium v")));
    EXPECT_TRUE(report.contains(QStringLiteral("\r\nЧитаемый текст:\r\n---------------\r\n")));
    EXPECT_FALSE(QFile::exists(wav(1)));
}

TEST_F(RecordingDriverTest, PausedEngineIsNotAStall)
{
    voice.looksPerBlock = 1000;
    ASSERT_TRUE(driver.startSingle(book()));
    driver.pauseRecording();
    for (int i = 0; i < 5; ++i) {
        clock.seconds += 100;
        driver.tick();
    }
    EXPECT_EQ(driver.attempts(), 0);
    EXPECT_TRUE(host.status[1].endsWith(QStringLiteral(" (Приостановлено)")));
}

TEST_F(RecordingDriverTest, MidnightKeepsElapsedTimePositive)
{
    voice.looksPerBlock = 1000;
    clock.seconds = 86390;
    ASSERT_TRUE(driver.startSingle(book()));
    clock.seconds = 15; // 25 seconds later, past midnight
    driver.tick();
    EXPECT_EQ(host.status[3], QStringLiteral("Прошло: 00:00:25 "));
}

TEST_F(RecordingDriverTest, LearnsTheCoefficientFromTheFirstBlock)
{
    settings.coefficient1 = 8.2494;
    settings.compressMp3 = false;
    ASSERT_TRUE(driver.startSingle(book(1, 1)));
    runToEnd();
    const double wavSize = 10 + 1000 + 44100; // what the stand-in voice wrote
    EXPECT_DOUBLE_EQ(settings.coefficient1, wavSize / 11 / 100);
}

TEST_F(RecordingDriverTest, WaitsForASlowEncoderAndKeepsWavsOfFailedRuns)
{
    files.encoderSeconds = 0.6;
    files.failing = {2};
    ASSERT_TRUE(driver.startSingle(book()));
    bool sawWaiting = false;
    for (int i = 0; i < 400 && ends == 0; ++i) {
        driver.tick();
        sawWaiting = sawWaiting || host.status[1] == QStringLiteral("Ожидание LAME");
        QThread::msleep(10);
    }
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(sawWaiting);
    EXPECT_FALSE(QFile::exists(wav(1)));
    EXPECT_TRUE(QFile::exists(wav(2))); // its MP3 was not written: the WAV stays
    EXPECT_FALSE(files.mp3Exists(2));   // and the block is recorded again next time
    EXPECT_FALSE(QFile::exists(wav(3)));
    // The book is not reported as done.
    EXPECT_TRUE(outcome.filesFailed);
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(QStringLiteral("LAME не создал MP3-файлы блоков 2.\n")));
}

TEST_F(RecordingDriverTest, MissingEncoderStopsTheJobAndKeepsTheWav)
{
    files.program = QStringLiteral("/nonexistent/lame");
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.filesFailed);
    EXPECT_TRUE(QFile::exists(wav(1)));
    EXPECT_FALSE(files.mp3Written(1));
    EXPECT_EQ(outcome.currentBlock, 1); // the block without an MP3 comes first next time
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(
        QStringLiteral("Не удалось запустить программу сжатия в MP3\n\"/nonexistent/lame\".")));
}

TEST_F(RecordingDriverTest, UnwritableWavStopsTheJobWithAMessage)
{
    // The audio folder cannot be made: a file is in its way.
    QFile blocker(folder.file(QStringLiteral("Audiobooks")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.filesFailed);
    EXPECT_EQ(outcome.currentBlock, 1);
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(QStringLiteral("Не удалось записать аудиофайл\n")));
}

TEST_F(RecordingDriverTest, FullDiskKeepsFinishedBlocksAndDropsTheCutOne)
{
    settings.deleteWav = false;
    voice.diskFullAtBlock = 2;
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.filesFailed);
    EXPECT_EQ(outcome.currentBlock, 2);
    EXPECT_TRUE(files.mp3Written(1));
    EXPECT_TRUE(QFile::exists(wav(1)));
    EXPECT_FALSE(QFile::exists(wav(2))); // cut short: it would make a short MP3
    EXPECT_FALSE(files.mp3Written(2));
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(QStringLiteral("Не удалось записать аудиофайл\n")));
}

TEST_F(RecordingDriverTest, EmptyWavStopsTheJobWithAMessage)
{
    voice.silent = true;
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.engineFailed);
    ASSERT_FALSE(host.scripted.shown.isEmpty());
    EXPECT_EQ(host.scripted.shown[0].title, QStringLiteral("Пустой аудиофайл."));
}

TEST_F(RecordingDriverTest, AnEmptyBlockFileIsNotBlamedOnTheEngine)
{
    voice.silent = true;
    texts.emptyBlocks = {1};
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_FALSE(outcome.engineFailed);
    EXPECT_TRUE(outcome.filesFailed);
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(QStringLiteral("В блоке 1 нет текста")));
}

// A second recording of the same book refuses while the first runs, and a
// lock left by a program that died does not stand in the way.
TEST_F(RecordingDriverTest, ASecondRecordingOfTheBookRefusesWhileTheFirstRuns)
{
    ASSERT_TRUE(driver.startSingle(book()));
    StandInVoice otherVoice;
    StandInFiles otherFiles(audio);
    EncoderPool otherEncoder;
    StandInTexts otherTexts;
    StandInHost otherHost;
    RecordingDriver other(settings, folder.path(), otherVoice, otherTexts, sharedFiles(otherFiles), otherEncoder, clock,
                          otherHost);
    RecordingOutcome refused;
    QObject::connect(&other, &RecordingDriver::finished, [&](const RecordingOutcome &o) { refused = o; });
    EXPECT_FALSE(other.startSingle(book()));
    EXPECT_TRUE(refused.filesFailed);
    ASSERT_EQ(otherHost.scripted.shown.size(), 1);
    EXPECT_TRUE(otherHost.scripted.shown[0].text.contains(QStringLiteral("уже записывает")));

    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_FALSE(outcome.filesFailed);
    EXPECT_TRUE(files.mp3Written(3)) << "the refused run took nothing away";

    // The first run is over: its lock is gone. A dead program's lock is taken over.
    QFile stale(audio + QStringLiteral("/.lectorium-recording.lock"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999999\nLectorium\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    settings.rerecordExisting = true;
    EXPECT_TRUE(other.startSingle(book()));
}

// An encoder that never ends is stopped after a generous limit; the block's
// WAV stays and the block is reported, the job does not wait for ever.
TEST_F(RecordingDriverTest, AHungEncoderIsStoppedAndItsBlockReported)
{
    files.encoderSeconds = 100;
    EXPECT_GE(RecordingDriver::encoderSecondsAllowed(44100 * 60), 60 + 60 * 2) << "far above real time";
    ASSERT_TRUE(driver.startSingle(book(1, 1)));
    runToEnd(1000, true);
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.filesFailed);
    EXPECT_TRUE(QFile::exists(wav(1)));
    EXPECT_FALSE(files.encoded(1));
    ASSERT_EQ(host.scripted.shown.size(), 1);
}

TEST_F(RecordingDriverTest, AStopAfterTheLastBlockCutsNothingShort)
{
    struct Case
    {
        int stopAtBlock; // the block being spoken when the stop is asked
        bool stoppedByUser;
    };
    for (const Case c : {Case{1, true}, Case{3, false}}) {
        ends = 0;
        QDir(audio).removeRecursively();
        ASSERT_TRUE(driver.startSingle(book()));
        for (int i = 0; i < 100 && driver.currentBlock() < c.stopAtBlock; ++i)
            driver.tick();
        driver.stopAfterBlock();
        runToEnd();
        ASSERT_EQ(ends, 1);
        EXPECT_EQ(outcome.stoppedByUser, c.stoppedByUser) << c.stopAtBlock;
        EXPECT_TRUE(outcome.stopRequested) << c.stopAtBlock;
    }
    // Asked once the recording is over, a stop changes nothing.
    driver.stopNow();
    driver.stopAfterBlock();
    EXPECT_FALSE(driver.isRecording());
}

// ---- encoders side by side ---------------------------------------------------

// Each stand-in encoder notes its start in the audio folder. With room for N,
// a run waits until N runs have started before it writes its MP3 (a pool
// that ran fewer at once would leave it waiting until it gives up); with room
// for one, a run fails when it finds another one running beside it.
TEST_F(RecordingDriverTest, TheSettingDecidesHowManyEncodersRunAtOnce)
{
    const QString waitForSiblings =
        QStringLiteral("touch \"$0.started\"; i=0; while [ $(ls \"$1\" | grep -c '\\.started$') -lt %1 ]; do "
                       "i=$((i+1)); [ $i -gt 400 ] && exit 1; sleep 0.05; done; printf mp3 > \"$0\"");
    const QString aloneOrFail = QStringLiteral("mkdir \"$1/running\" || exit 1; sleep 0.2; printf mp3 > \"$0\"; "
                                               "rmdir \"$1/running\"");
    for (const int jobs : {1, 3}) {
        ends = 0;
        QDir(audio).removeRecursively();
        settings.encoderJobs = jobs;
        for (int n = 1; n <= 4; ++n)
            files.scripts[n] = jobs == 1 ? aloneOrFail : waitForSiblings.arg(jobs);
        ASSERT_TRUE(driver.startSingle(book(1, 4, 4)));
        int mostAtOnce = 0;
        for (int i = 0; i < 2000 && ends == 0; ++i) {
            driver.tick();
            mostAtOnce = std::max(mostAtOnce, int(host.encodingFiles.size()));
            QThread::msleep(10);
        }
        ASSERT_EQ(ends, 1) << jobs;
        EXPECT_FALSE(outcome.filesFailed) << jobs;
        EXPECT_EQ(mostAtOnce, jobs);
        for (int n = 1; n <= 4; ++n)
            EXPECT_TRUE(files.mp3Written(n)) << jobs << " " << n;
    }
}

TEST_F(RecordingDriverTest, StopNowStopsEveryEncoderAndKeepsTheirWavs)
{
    settings.encoderJobs = 2;
    for (int n = 1; n <= 3; ++n)
        files.scripts[n] = QStringLiteral("printf mp > \"$0\"; sleep 100; printf 3 >> \"$0\"");
    ASSERT_TRUE(driver.startSingle(book()));
    for (int i = 0; i < 400 && encoder.running().size() < 2; ++i) {
        driver.tick();
        QThread::msleep(10);
    }
    ASSERT_EQ(encoder.running().size(), 2);
    driver.stopNow();
    EXPECT_FALSE(encoder.isBusy());
    runToEnd(20);
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_FALSE(outcome.filesFailed) << "a stop is no encoder failure";
    EXPECT_TRUE(host.scripted.shown.isEmpty());
    for (int n = 1; n <= 2; ++n) {
        EXPECT_TRUE(QFile::exists(wav(n))) << n;
        EXPECT_FALSE(files.encoded(n)) << "no partial MP3 is left of block " << n;
    }
}

// Runs end in any order: a late failure, an early one and a success between
// them make one report of the failed blocks in their order, and the job ends
// once, after the last run.
TEST_F(RecordingDriverTest, EncodersEndingInAnyOrderEndTheJobOnce)
{
    settings.encoderJobs = 3;
    files.scripts[1] = QStringLiteral("sleep 0.6; printf mp > \"$0\"; exit 1");
    files.scripts[3] = QStringLiteral("exit 1");
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd(400);
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.filesFailed);
    EXPECT_TRUE(files.mp3Written(2));
    EXPECT_FALSE(QFile::exists(wav(2)));
    for (const int n : {1, 3}) {
        EXPECT_TRUE(QFile::exists(wav(n))) << n;
        EXPECT_FALSE(files.encoded(n)) << n;
    }
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(QStringLiteral("LAME не создал MP3-файлы блоков 1, 3.\n")));
}

// A block the dictionaries cannot rewrite is not spoken without them: it is
// reported, and the job stops before it with the blocks before it kept.
TEST_F(RecordingDriverTest, ABlockTheDictionariesCannotRewriteIsReportedNotSpoken)
{
    settings.applyDictionaries = true;
    texts.runawayBlocks[2] = QStringLiteral("Словарь «взрыв.dic»: после статьи «а=б б» текст вырос.");
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(outcome.filesFailed);
    EXPECT_EQ(outcome.currentBlock, 2);
    EXPECT_TRUE(files.mp3Written(1));
    EXPECT_FALSE(QFile::exists(wav(2)));
    EXPECT_EQ(voice.spokenTexts.size(), 1);
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(
        QStringLiteral("Блок 2 не записан.\nСловарь «взрыв.dic»: после статьи «а=б б»")));
}

TEST(EncoderPool, TellsAtOnceWhenARunEnds)
{
    // The driver starts the next WAV's encoder on this notice instead of at
    // its next look; a notice lost would leave a processor idle meanwhile.
    EncoderPool pool(2);
    int notices = 0;
    pool.setRunEndNotice([&] { ++notices; });
    ProcessRequest exitAtOnce;
    exitAtOnce.program = QStringLiteral("/bin/sh");
    exitAtOnce.arguments = {QStringLiteral("-c"), QStringLiteral("exit 0")};
    for (const int block : {1, 2})
        ASSERT_TRUE(pool.start(exitAtOnce, {block, QString(), 0, 0, 1}));
    QElapsedTimer clock;
    clock.start();
    while (notices < 2 && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(pool.takeEnded().size(), 2);
}

TEST(EncoderPool, TheSettingGivesTheRunsAtOnce)
{
    EXPECT_EQ(EncoderPool::jobsForSetting(0), std::max(1, QThread::idealThreadCount()));
    EXPECT_EQ(EncoderPool::jobsForSetting(1), 1);
    EXPECT_EQ(EncoderPool::jobsForSetting(3), 3);
    // A hand-edited file or the command line cannot start a process per block.
    EXPECT_EQ(EncoderPool::jobsForSetting(1000000), EncoderPool::kMostJobs);
}

// The encoders are held after the voice has spoken every block: the share
// shown moves on with each run that ends, not with the voice alone, the
// clock shows the wall time through the wait, and the book ends at 100 %.
TEST_F(RecordingDriverTest, TheShareMovesWithEveryEncoderRunAndEndsAtAHundred)
{
    settings.encoderJobs = 1;
    for (int n = 1; n <= 3; ++n)
        files.scripts[n] =
            QStringLiteral("while [ ! -e \"$1/release-%1\" ]; do sleep 0.01; done; printf mp3 > \"$0\"").arg(n);
    ASSERT_TRUE(driver.startSingle(book()));
    for (int i = 0; i < 400 && !driver.isWaitingForEncoder(); ++i) {
        driver.tick();
        clock.seconds += 0.5;
    }
    ASSERT_TRUE(driver.isWaitingForEncoder());
    double shown = host.bookPercent;
    EXPECT_LT(shown, 100);
    const QString clockWhenSpoken = host.status[3];
    for (int n = 1; n <= 3; ++n) {
        QFile release(audio + QStringLiteral("/release-%1").arg(n));
        ASSERT_TRUE(release.open(QIODevice::WriteOnly));
        release.close();
        ASSERT_TRUE(waitFor([&] {
            clock.seconds += 0.5;
            driver.tick();
            return files.mp3Written(n);
        }));
        clock.seconds += 0.5;
        driver.tick();
        if (n < 3) {
            EXPECT_GT(host.bookPercent, shown) << "after block " << n;
            EXPECT_LT(host.bookPercent, 100) << "after block " << n;
        }
        shown = host.bookPercent;
    }
    EXPECT_NE(host.status[3], clockWhenSpoken);
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_EQ(host.bookPercent, 100);
    EXPECT_EQ(host.status[5], QStringLiteral("100.00%"));
}

TEST_F(RecordingDriverTest, AResumeRecordsAgainOnlyTheBlocksWhoseTextChangedSinceTheirMp3)
{
    texts.tellSpokenText = true;
    settings.applyDictionaries = true;
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    ASSERT_EQ(files.fingerprints.size(), 3);
    EXPECT_EQ(files.fingerprints.value(2).text, textFingerprint(QStringLiteral("Текст блока 2 словарь")));
    EXPECT_EQ(files.fingerprints.value(1).voice, files.fingerprints.value(3).voice);

    // A dictionary entry changes block 2 and 3; block 3's MP3 was made
    // before fingerprints were kept: it counts as done, as it always did.
    texts.rewrittenBlocks = {2, 3};
    files.fingerprints.remove(3);
    voice.spokenTexts.clear();
    ends = 0;
    ASSERT_TRUE(driver.startSingle(book()));
    runToEnd();
    EXPECT_EQ(voice.spokenTexts, QStringList({QStringLiteral("Текст блока 2 новый словарь xml")}));
    EXPECT_EQ(files.fingerprints.value(2).text, textFingerprint(QStringLiteral("Текст блока 2 новый словарь")));
    EXPECT_FALSE(files.fingerprints.contains(3));

    // Now every block says what its MP3 says.
    ends = 0;
    EXPECT_FALSE(driver.startSingle(book()));
    EXPECT_EQ(ends, 1);
}

TEST_F(RecordingDriverTest, AListOfBlocksRecordsExactlyThoseAgain)
{
    for (int n = 1; n <= 4; ++n) {
        QDir().mkpath(audio);
        QFile mp3(files.mp3Path(n));
        ASSERT_TRUE(mp3.open(QIODevice::WriteOnly));
        mp3.write("old");
    }
    RecordedBook listed = book(2, 4, 4);
    listed.blocks = {2, 4};
    ASSERT_TRUE(driver.startSingle(listed));
    EXPECT_EQ(driver.progress().blocksInRange, 2);
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_EQ(voice.spokenTexts,
              QStringList({QStringLiteral("Текст блока 2 xml"), QStringLiteral("Текст блока 4 xml")}));
    EXPECT_EQ(host.blocks, QList<int>({2, 4}));
    auto mp3Bytes = [this](int n) {
        QFile mp3(files.mp3Path(n));
        return mp3.open(QIODevice::ReadOnly) ? mp3.readAll() : QByteArray();
    };
    EXPECT_EQ(mp3Bytes(1), "old");
    EXPECT_EQ(mp3Bytes(2), "mp3");
    EXPECT_EQ(mp3Bytes(3), "old");
    EXPECT_EQ(mp3Bytes(4), "mp3");
    EXPECT_FALSE(outcome.stoppedByUser);
}
