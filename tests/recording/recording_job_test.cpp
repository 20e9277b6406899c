#include "recording/recording_job.h"

#include "driver_stand_ins.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The library side: books with ticks, the range boxes, what was opened.
class StandInJobHost : public StandInHostOf<RecordingJobHost>
{
public:
    StandInJobHost(StandInFiles &files, const QString &output) : m_files(files), m_output(output) { }

    QStringList books = {QStringLiteral("Первая"), QStringLiteral("Вторая")};
    QList<bool> ticked = {true, true};
    bool batch = false;
    int selected = 0;
    qint64 free = qint64(10) << 30;
    QList<QPair<int, int>> ranges;
    QStringList opened;
    int exits = 0;

    RecordedBook selectedBook() override
    {
        m_files.setFolder(m_output + u'/' + books[selected]);
        return {books[selected], QString(), 2, 1, 2};
    }
    bool batchMode() const override { return batch; }
    bool selectFirstBatchBook() override
    {
        selected = ticked.indexOf(true);
        return selected >= 0;
    }
    void untickBatchBook(const QString &book) override { ticked[books.indexOf(book)] = false; }
    void setRange(const QString &, int first, int last) override { ranges.append({first, last}); }
    void showRecording(bool) override { }
    qint64 freeBytes(const QString &) const override { return free; }
    void openFolder(const QString &folder) override { opened.append(folder); }
    void exitProgram() override { ++exits; }

private:
    StandInFiles &m_files;
    QString m_output;
};

class RecordingJobTest : public ::testing::Test
{
protected:
    RecordingJobTest()
        : files(QString()), host(files, folder.file(QStringLiteral("Audiobooks"))),
          driver(settings, folder.path(), voice, texts, files, encoder, clock, host), job(settings, driver, host)
    {
        settings.outputFolder = folder.file(QStringLiteral("Audiobooks"));
        settings.compressMp3 = true;
        QObject::connect(&job, &RecordingJob::jobEnded, [this](const JobResult &) { ++ends; });
    }

    void runToEnd()
    {
        for (int i = 0; i < 400 && ends == 0; ++i) {
            driver.tick();
            QThread::msleep(5);
        }
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
