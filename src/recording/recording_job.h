#pragma once
// A recording job: one book, or the ticked books of the batch queue one after
// another. It checks the disk and the output folder, starts the driver for
// each book, moves the book's range on to where it stopped, and ends with
// the after-finish action and its message.

#include "app/settings.h"
#include "recording/recording_driver.h"

#include <QObject>

#include <functional>

// The library side of a job: the window's lists and boxes, or the command
// line's one book.
class RecordingJobHost : public RecordingHost
{
public:
    // The book selected in the library with the range of its boxes.
    virtual RecordedBook selectedBook() = 0;
    // Batch mode: the batch list is saved, and the first ticked book becomes
    // the selected one; false when none is ticked.
    virtual bool batchMode() const { return false; }
    virtual bool selectFirstBatchBook() { return false; }
    virtual void untickBatchBook(const QString &book) { Q_UNUSED(book); }
    // A book unticked when its last block was spoken whose encoding a stop
    // then cut short: it stays in the batch.
    virtual void tickBatchBook(const QString &book) { Q_UNUSED(book); }
    // The book's range becomes these values, stored in its "project.ini"
    // (and shown in the range boxes when the book is the selected one).
    virtual void setRange(const QString &book, int first, int last) = 0;
    // Recording controls (`DisSpeak`) or idle controls (`EnSpeak`).
    virtual void showRecording(bool recording) = 0;
    // The dictionary list, and the dictionaries when they are used, read
    // again before a job.
    virtual void reloadDictionaries() { }
    // Bytes free where the output folder lives (or will live).
    virtual qint64 freeBytes(const QString &folder) const;
    virtual void openFolder(const QString &folder) { Q_UNUSED(folder); }
    // After-finish actions: exit the program, switch the computer off (true
    // when it goes), and bring the window back for the final message.
    virtual void exitProgram() { }
    virtual bool switchOff() { return false; }
    virtual void restoreWindow() { }
};

// Told when the speech engine has no voices at all.
extern const QString kNoVoicesMessage;

// What a finished job tells its caller.
struct JobResult
{
    bool stoppedByUser = false;
    bool engineFailed = false;
    bool filesFailed = false; // a WAV or an MP3 could not be made
    QString lastFolder;       // the audio folder of the last book recorded
};

class RecordingJob : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kMinimumFreeMegabytes = 300;

    RecordingJob(Settings &settings, RecordingDriver &driver, RecordingJobHost &host, QObject *parent = nullptr);

    // `startRecording`; false when nothing was started.
    bool startRecording();
    // The after-finish choice of the main window's list.
    AfterFinish afterFinish = AfterFinish::Nothing;
    // Closing the window while recording: abandon the block, stop the
    // encoders, then exit.
    void exitWhenStopped();
    bool isRunning() const { return m_running; }
    // The stop button: asks what to stop, in the words that fit what is
    // running (a block being spoken, only the encoders, the one-file book).
    // An answer to a question the job's end overtook changes nothing.
    void askToStop();
    // The pause button: pauses or resumes the voice. When everything is
    // spoken there is nothing to pause, and the user is told so.
    void pauseOrResume();
    // The one-file book is being put together (finishBook runs).
    bool isAssembling() const { return m_assembling; }
    // The user chose to stop the one-file book being put together.
    bool assemblyCancelled() const { return m_cancelAssembly; }
    // Called with each book just before it is recorded, so that the texts
    // and file names follow the book.
    std::function<void(const RecordedBook &)> prepareBook;
    // False when the speech engine has no voices (its data is not
    // installed); nothing could be spoken, so the job does not start.
    std::function<bool()> voicesInstalled;
    // Called once a book's recording has ended, after its last encoder run
    // (in a batch, maybe while the next book is spoken):
    // what the book becomes besides its blocks' MP3 files. False when that
    // failed (the job then ends as failed).
    std::function<bool(const RecordedBook &, const RecordingOutcome &)> finishBook;

signals:
    void jobEnded(const JobResult &result);

private:
    // Set when the window is closed during a recording: the job exits once
    // stopped, whatever the choice.
    bool m_exitWhenStopped = false;
    bool diskAndFolderReady();
    bool startSelectedBook();
    // The checks of a start (disk, folder, dictionaries), then the book.
    bool startNextBatchBook();
    // The driver has spoken a batch book: the next one starts while the
    // encoders finish it.
    void continueWithNextBook(const RecordedBook &spoken);
    void endRecording(const RecordingOutcome &driverOutcome);
    // The end of a book handed over to its encoders; the job ends with it
    // when no other book was started.
    void endHandedOverBook(const RecordingOutcome &outcome);
    void endJob(const RecordingOutcome &outcome, RecordingPhase phase);
    void showEnd(RecordingPhase phase);
    // What the end question says happened.
    QString endMessage(RecordingPhase phase, const RecordingOutcome &outcome) const;
    void commonEnd(const QString &message, const QString &folder, const JobResult &result);

    Settings &m_settings;
    RecordingDriver &m_driver;
    RecordingJobHost &m_host;
    RecordedBook m_book;
    bool m_running = false;
    bool m_assembling = false;
    bool m_cancelAssembly = false;
    // Batch books whose speaking ended before their encoding did.
    QStringList m_handedOver;
    // The next book is being started (its checks may let events run).
    bool m_startingNext = false;
    // No further book of the batch starts: one failed or none is left.
    bool m_batchOver = false;
    bool m_booksLeft = false;
    // The faults and stops of books that ended before the last one.
    RecordingOutcome m_earlier;
};
