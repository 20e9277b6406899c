#include "recording/recording_job.h"

#include "driver_stand_ins.h"
#include "support/temp_program_folder.h"
#include "support/wait_for.h"

#include <QDir>
#include <QLockFile>
#include <QThread>

#include <functional>

#include <gtest/gtest.h>

namespace {

// The library side: books with ticks, the range boxes, what was opened.
class StandInJobHost : public StandInHostOf<RecordingJobHost>
{
public:
    QStringList books = {QStringLiteral("Первая"), QStringLiteral("Вторая")};
    QList<bool> ticked = {true, true};
    bool batch = false;
    int selected = 0;
    qint64 free = qint64(10) << 30;
    QList<QPair<int, int>> ranges;
    QStringList opened;
    int exits = 0;

    // Every book has this many blocks and this range.
    int blockCount = 2;
    int first = 1;
    int last = 2;
    RecordedBook selectedBook() override { return {books[selected], QString(), blockCount, first, last, {}}; }
    bool batchMode() const override { return batch; }
    bool selectFirstBatchBook() override
    {
        selected = ticked.indexOf(true);
        return selected >= 0;
    }
    void untickBatchBook(const QString &book) override { ticked[books.indexOf(book)] = false; }
    void tickBatchBook(const QString &book) override { ticked[books.indexOf(book)] = true; }
    QMap<QString, QPair<int, int>> rangeOf;
    void setRange(const QString &book, int first, int last) override
    {
        ranges.append({first, last});
        rangeOf[book] = {first, last};
    }
    void showRecording(bool) override { }
    qint64 freeBytes(const QString &) const override { return free; }
    void openFolder(const QString &folder) override { opened.append(folder); }
    void exitProgram() override { ++exits; }
};

class RecordingJobTest : public ::testing::Test
{
protected:
    RecordingJobTest()
        : files(QString()), driver(settings, folder.path(), voice, texts, filesOfEachBook(), encoder, clock, host),
          job(settings, driver, host)
    {
        settings.outputFolder = folder.file(QStringLiteral("Audiobooks"));
        settings.compressMp3 = true;
        QObject::connect(&job, &RecordingJob::jobEnded, [this](const JobResult &) { ++ends; });
    }

    // Each book gets files of its own, set up as `files` is.
    BookFilesFactory filesOfEachBook()
    {
        return [this](const RecordedBook &book) {
            auto own = std::make_shared<StandInFiles>(files);
            own->setFolder(book.audioFolder);
            return own;
        };
    }

    // Ticks until `done` holds: the encoders run for real, so each look
    // waits a little; false only after a minute that a busy machine never
    // needs.
    bool tickUntil(const std::function<bool()> &done)
    {
        return waitFor([&] {
            driver.tick();
            return done();
        });
    }

    void runToEnd()
    {
        tickUntil([&] { return ends != 0; });
    }

    TempProgramFolder folder;
    Settings settings;
    StandInVoice voice;
    StandInTexts texts;
    StandInFiles files;
    EncoderPool encoder;
    StandInClock clock;
    StandInJobHost host;
    RecordingDriver driver;
    RecordingJob job;
    int ends = 0;
};

} // namespace

TEST_F(RecordingJobTest, BatchRecordsTheTickedBooksInTurn)
{
    host.batch = true;
    job.afterFinish = AfterFinish::ShowMessage;
    host.scripted = ScriptedDialogs({DialogAnswer::Yes});
    ASSERT_TRUE(job.startRecording());
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_EQ(host.ticked, QList<bool>({false, false}));
    EXPECT_TRUE(QFile::exists(settings.outputFolder + QStringLiteral("/Вторая/0002.mp3")));
    EXPECT_EQ(host.status[1], QStringLiteral("Пакетная обработка окончена"));
    EXPECT_EQ(host.phases.last(), RecordingPhase::BatchFinished);
    EXPECT_EQ(host.status[4], QStringLiteral("Осталось~ 00:00:00"));
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_EQ(host.scripted.shown[0].text, QStringLiteral("Запись книг окончена.\nОткрыть папку с аудиофайлами?"));
    EXPECT_EQ(host.opened, QStringList({settings.outputFolder}));
    // Each book's range moved on to where it stopped.
    EXPECT_EQ(host.ranges, (QList<QPair<int, int>>{{2, 2}, {2, 2}}));
}

TEST_F(RecordingJobTest, BatchWithNothingTickedDoesNotStart)
{
    host.batch = true;
    host.ticked = {false, false};
    EXPECT_FALSE(job.startRecording());
    EXPECT_EQ(voice.spokenTexts.size(), 0);
}

TEST_F(RecordingJobTest, LowDiskAsksAndAbortEnds)
{
    host.free = 100 << 20;
    host.scripted = ScriptedDialogs({DialogAnswer::Retry, DialogAnswer::Abort});
    EXPECT_FALSE(job.startRecording());
    ASSERT_EQ(host.scripted.shown.size(), 2);
    EXPECT_TRUE(host.scripted.shown[0].text.contains(QStringLiteral("свободно 100 мегабайт.")));
    host.scripted = ScriptedDialogs({DialogAnswer::Ignore});
    EXPECT_TRUE(job.startRecording());
}

TEST_F(RecordingJobTest, ClosingDuringARecordingExitsOnceStopped)
{
    voice.looksPerBlock = 100;
    job.afterFinish = AfterFinish::ShowMessage;
    ASSERT_TRUE(job.startRecording());
    driver.tick();
    job.exitWhenStopped();
    runToEnd();
    EXPECT_EQ(host.exits, 1);
    EXPECT_TRUE(host.scripted.shown.isEmpty()); // no end message on the way out
    EXPECT_EQ(host.ranges.last().first, 1);     // the abandoned block comes first next time
}

TEST_F(RecordingJobTest, AFaultIsNotCalledTheUsersStop)
{
    files.program = QStringLiteral("/nonexistent/lame");
    ASSERT_TRUE(job.startRecording());
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_EQ(host.status[1], QStringLiteral("Запись остановлена из-за ошибки"));
    EXPECT_EQ(host.phases.last(), RecordingPhase::Failed);
}

TEST_F(RecordingJobTest, NoVoicesNoJob)
{
    job.voicesInstalled = [] { return false; };
    EXPECT_FALSE(job.startRecording());
    EXPECT_TRUE(voice.spokenTexts.isEmpty());
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown[0].text.startsWith(kNoVoicesMessage));
}

TEST_F(RecordingJobTest, UnwritableOutputFolderIsReported)
{
    settings.outputFolder = QStringLiteral("/proc/no/such/folder");
    EXPECT_FALSE(job.startRecording());
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_EQ(host.scripted.shown[0].text,
              QStringLiteral("Неправильно указан рабочий каталог!\nПроверьте настройки..."));
}

TEST_F(RecordingJobTest, TheEndMessageIsAskedWheneverTheProgramStaysRunning)
{
    struct Case
    {
        AfterFinish choice;
        int messages;
        int exits;
    };
    for (const Case c :
         {Case{AfterFinish::Nothing, 1, 0}, Case{AfterFinish::ShowMessage, 1, 0}, Case{AfterFinish::Exit, 0, 1}}) {
        ends = 0;
        host.exits = 0;
        host.scripted = ScriptedDialogs({DialogAnswer::No});
        QDir(settings.outputFolder).removeRecursively();
        job.afterFinish = c.choice;
        ASSERT_TRUE(job.startRecording());
        runToEnd();
        ASSERT_EQ(ends, 1);
        EXPECT_EQ(host.scripted.shown.size(), c.messages) << int(c.choice);
        EXPECT_EQ(host.exits, c.exits) << int(c.choice);
        EXPECT_EQ(host.phases.last(), RecordingPhase::Finished) << int(c.choice);
    }
}

TEST_F(RecordingJobTest, QuittingAfterTheJobEndedWhileAskingExitsAtOnce)
{
    job.afterFinish = AfterFinish::Exit;
    ASSERT_TRUE(job.startRecording());
    runToEnd();
    ASSERT_EQ(ends, 1);
    host.exits = 0;
    // "Да" to the quit question that was open while the job ended.
    job.exitWhenStopped();
    EXPECT_EQ(host.exits, 1);
}

TEST_F(RecordingJobTest, AStopInTheLastBlockOfABatchEndsTheBatchTruthfully)
{
    host.batch = true;
    host.scripted = ScriptedDialogs({DialogAnswer::No});
    ASSERT_TRUE(job.startRecording());
    // The first book's last block is being spoken when the user asks to stop.
    for (int i = 0; i < 100 && driver.currentBlock() < 2; ++i)
        driver.tick();
    driver.stopAfterBlock();
    runToEnd();
    ASSERT_EQ(ends, 1);
    // The book was finished, the next ticked one was not started.
    EXPECT_EQ(host.ticked, QList<bool>({false, true}));
    EXPECT_EQ(host.phases.last(), RecordingPhase::Stopped);
}

TEST_F(RecordingJobTest, TheNextBookOfABatchIsSpokenWhileTheLastOneIsEncoded)
{
    // The first book's last encoder run waits for a word from the test; the
    // second book must be spoken meanwhile. What the run then does decides
    // how the batch ends.
    struct Case
    {
        const char *name;
        const char *word; // "ok", "fail", or nothing: the user stops instead
        QList<bool> ticked;
        RecordingPhase phase;
        int firstBookNextBlock;
    };
    const Case cases[] = {
        {"finished", "ok", {false, false, false}, RecordingPhase::BatchFinished, 2},
        // The failed block is reported; the book being spoken is finished,
        // but the third one does not begin.
        {"encoder failed", "fail", {false, false, true}, RecordingPhase::Failed, 2},
        // Stopping now stops the first book's encoder too: it stays in the
        // batch, its cut-off block first next time.
        {"stopped", nullptr, {true, true, true}, RecordingPhase::Stopped, 2},
    };
    host.books.append(QStringLiteral("Третья"));
    host.batch = true;
    const QString release = settings.outputFolder + QStringLiteral("/release");
    files.scripts[2] = QStringLiteral("case \"$1\" in *Первая) while [ ! -e \"$1/../release\" ]; do sleep 0.01; done; "
                                      "grep -q ok \"$1/../release\" || exit 1;; esac; printf mp3 > \"$0\"");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(settings.outputFolder).removeRecursively();
        host.ticked = {true, true, true};
        host.scripted = ScriptedDialogs({DialogAnswer::Ok, DialogAnswer::No});
        voice.spokenTexts.clear();
        host.rangeOf.clear();
        ends = 0;
        // The second book waits in its first block until the first book has
        // ended, so its end is known before the second book's.
        voice.holdFromSpeech = 3;
        ASSERT_TRUE(job.startRecording());
        ASSERT_TRUE(tickUntil([&] { return voice.spokenTexts.size() >= 3; }));
        ASSERT_EQ(voice.spokenTexts.size(), 3) << "the second book did not start";
        const QString firstBook = settings.outputFolder + QStringLiteral("/Первая");
        // The first book's first block is encoded before anything is decided.
        ASSERT_TRUE(tickUntil([&] { return QFile::exists(firstBook + QStringLiteral("/0001.mp3")); }));
        EXPECT_FALSE(QFile::exists(firstBook + QStringLiteral("/0002.mp3")));
        if (c.word) {
            QFile word(release);
            ASSERT_TRUE(word.open(QIODevice::WriteOnly));
            word.write(c.word);
        } else {
            driver.stopNow();
        }
        ASSERT_TRUE(tickUntil([&] { return host.rangeOf.contains(QStringLiteral("Первая")); }));
        voice.holdFromSpeech = 0;
        runToEnd();
        ASSERT_EQ(ends, 1);
        EXPECT_EQ(host.ticked, c.ticked);
        EXPECT_EQ(host.phases.last(), c.phase);
        EXPECT_EQ(host.rangeOf[QStringLiteral("Первая")].first, c.firstBookNextBlock);
        EXPECT_EQ(QFile::exists(firstBook + QStringLiteral("/0002.mp3")), c.phase == RecordingPhase::BatchFinished);
        // Each book's blocks went into its own folder.
        EXPECT_TRUE(QFile::exists(firstBook + QStringLiteral("/0001.mp3")));
        EXPECT_FALSE(QFile::exists(settings.outputFolder + QStringLiteral("/Вторая/0002.mp3.part")));
        if (c.phase == RecordingPhase::Failed) {
            EXPECT_TRUE(host.scripted.shown[0].text.startsWith(QStringLiteral("LAME не создал MP3-файлы блоков 2.")));
        }
        // No folder stays locked.
        for (const QString &book : host.books) {
            const QString folder = settings.outputFolder + u'/' + book;
            if (QDir(folder).exists()) {
                EXPECT_TRUE(QLockFile(folder + QStringLiteral("/.lectorium-recording.lock")).tryLock(0))
                    << book.toStdString();
            }
        }
    }
}

// A stop keeps the end of the range the user chose, and the end question
// says the recording was stopped and where it goes on; a range recorded
// whole moves on to the end of the book.
TEST_F(RecordingJobTest, AStopKeepsTheChosenEndOfTheRange)
{
    host.blockCount = 10;
    host.first = 3;
    host.last = 6;
    voice.holdFromSpeech = 2; // block 4 is being spoken when the user stops
    job.afterFinish = AfterFinish::ShowMessage;
    host.scripted = ScriptedDialogs({DialogAnswer::No, DialogAnswer::No});
    ASSERT_TRUE(job.startRecording());
    const QString block3 = settings.outputFolder + QStringLiteral("/Первая/0003.mp3");
    ASSERT_TRUE(tickUntil([&] { return driver.currentBlock() == 4 && QFile::exists(block3); }));
    ASSERT_TRUE(QFile::exists(block3));
    job.askToStop(); // "No": stop now, in block 4
    runToEnd();
    ASSERT_EQ(ends, 1);
    ASSERT_FALSE(host.ranges.isEmpty());
    EXPECT_EQ(host.ranges.last(), qMakePair(4, 6));
    ASSERT_EQ(host.scripted.shown.size(), 2);
    EXPECT_EQ(host.scripted.shown[1].text,
              QStringLiteral("Запись остановлена. Следующая запись книги «Первая» начнётся с блока 4.\n"
                             "Открыть папку с аудиофайлами?"));

    // The next run records blocks 4 to 6 and then moves on.
    host.first = 4;
    voice.holdFromSpeech = 0;
    ends = 0;
    host.scripted = ScriptedDialogs({DialogAnswer::No});
    voice.spokenTexts.clear();
    ASSERT_TRUE(job.startRecording());
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_EQ(voice.spokenTexts.size(), 3);
    EXPECT_EQ(host.ranges.last(), qMakePair(7, 10));
    EXPECT_EQ(host.scripted.shown.last().text,
              QStringLiteral("Запись выбранных блоков окончена.\nОткрыть папку с аудиофайлами?"));
}

// Once everything is spoken only the encoders run: the stop button asks
// about them, the pause button says there is nothing to pause, and an
// answer the job's end overtook changes nothing.
TEST_F(RecordingJobTest, WhenOnlyTheEncodersRunTheButtonsSaySo)
{
    const QString release = settings.outputFolder + QStringLiteral("/release");
    files.scripts[2] = QStringLiteral("while [ ! -e \"$1/../release\" ]; do sleep 0.01; done; printf mp3 > \"$0\"");
    host.scripted = ScriptedDialogs({DialogAnswer::Ok, DialogAnswer::No, DialogAnswer::Yes, DialogAnswer::No});
    ASSERT_TRUE(job.startRecording());
    ASSERT_TRUE(tickUntil([&] { return driver.isWaitingForEncoder(); }));
    ASSERT_TRUE(driver.isWaitingForEncoder());
    ASSERT_TRUE(tickUntil([&] { return QFile::exists(settings.outputFolder + QStringLiteral("/Первая/0001.mp3")); }));
    job.pauseOrResume();
    EXPECT_FALSE(driver.isPaused());
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(
        host.scripted.shown[0].text.startsWith(QStringLiteral("Все блоки уже озвучены: приостанавливать нечего")));
    job.askToStop(); // "No": the encoder goes on
    ASSERT_EQ(host.scripted.shown.size(), 2);
    EXPECT_TRUE(host.scripted.shown[1].text.startsWith(QStringLiteral("Все блоки уже озвучены, идёт сжатие в MP3.")));
    EXPECT_TRUE(driver.isRecording());
    job.askToStop(); // "Yes": the run is stopped, its block comes first next time
    runToEnd();
    ASSERT_EQ(ends, 1);
    EXPECT_EQ(host.phases.last(), RecordingPhase::Stopped);
    EXPECT_EQ(host.ranges.last(), qMakePair(2, 2));
    EXPECT_FALSE(QFile::exists(settings.outputFolder + QStringLiteral("/Первая/0002.mp3")));
    const int asked = int(host.scripted.shown.size());
    job.askToStop();
    EXPECT_EQ(host.scripted.shown.size(), asked) << "nothing is asked once the job is over";
}
