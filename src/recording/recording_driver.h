#pragma once
// The recording driver: speaks the block range of one book into WAV files,
// hands each finished WAV to the encoder pool, follows the progress, notices
// a silent engine and restarts it, and reports when the book is done. It is
// advanced by tick() every 500 ms (a timer in the window, the event loop of
// the command line); speaking runs on the voice's own thread and encoding in
// processes of their own, so a tick only looks and moves on.

#include "app/settings.h"
#include "recording/book_encoding.h"
#include "recording/encoder_pool.h"
#include "recording/progress_meter.h"
#include "recording/progress_texts.h"
#include "recording/recording_ports.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

// The files of each book recorded; a book of a batch keeps its own while the
// next one is spoken.
using BookFilesFactory = std::function<std::shared_ptr<OutputFiles>(const RecordedBook &)>;
// Every book with the same files (one book at a time, or a test's stand-in).
BookFilesFactory sharedFiles(OutputFiles &files);

class RecordingDriver : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTickMsecs = 500;
    // How often the encoders and the voice are looked at between ticks.
    static constexpr int kEncoderPollMsecs = 50;
    static constexpr double kStallSeconds = 90;

    RecordingDriver(Settings &settings, QString programFolder, RecordingVoice &voice, BlockTexts &texts,
                    BookFilesFactory bookFiles, EncoderPool &encoders, RecordingClock &clock, RecordingHost &host,
                    QObject *parent = nullptr);

    // Starts the book; false when it ended at once (every block of the range
    // already there, or its folder taken) and finished() has come. Called
    // after bookSpoken, while the last book's encoders still run, it starts
    // the next book at once: the last book keeps its files, its folder and
    // its failures until its runs end, and ends first. False, and nothing
    // done, while a book is still being spoken.
    bool startSingle(const RecordedBook &book);
    // One step of the state machine; the timer calls it, tests may too.
    void tick();

    // Pause or resume (`pauseRecording`).
    void pauseRecording();
    // The answers to "Дождаться завершения записи текущего блока?":
    // finish the block first, or cut it off now (its WAV is deleted, and the
    // encoders under way are stopped: their blocks keep their WAVs).
    void stopAfterBlock();
    void stopNow();
    void cancelStop();

    // True while a book is spoken or encoded.
    bool isRecording() const { return m_recording; }
    bool isPaused() const { return m_paused; }
    bool isWaitingForEncoder() const { return m_waitingForEncoder; }
    // How long the encoder may take for a WAV of this size before it counts
    // as hung and is stopped.
    static double encoderSecondsAllowed(qint64 wavBytes);
    int currentBlock() const { return m_block; }
    // Why the selected voice cannot record at all; empty when it can.
    QString voiceProblem() const { return m_voice.voiceProblem(); }
    // Where the recording stands, as last shown.
    const RecordingProgress &progress() const { return m_progress; }
    // The dictionaries are rewriting the next block's text (or are done).
    void setApplyingDictionaries(bool applying);
    int attempts() const { return m_attempts; }
    // Where the job stands while its one-file book is put together (the
    // share of it made, and the seconds since it began), and once every
    // stage is done.
    RecordingProgress assemblyProgress(double share, double seconds);
    RecordingProgress finishedProgress();
    // A folder "debug" in the program folder: the spoken texts are kept there.
    bool debugMode = false;
    // The engine's seconds of silence before it counts as stalled.
    double stallSeconds = kStallSeconds;
    // The waits of an engine restart (ms): after ending the speech program
    // and before speaking the block again.
    int restartPauseMsecs = 4000;
    int rewritePauseMsecs = 1000;

signals:
    // The book's last block is spoken and nothing went wrong; only its
    // encoder runs (or an earlier book's) are left. A batch can start its
    // next book now.
    void bookSpoken(const RecordedBook &book);
    // Every encoder run of the book has ended (the last MP3 is in place or
    // its failure noted): what comes after the book's blocks starts here.
    void bookEncoded(const RecordedBook &book);
    // One book has ended, its encoder runs too; a book of a batch that was
    // handed over ends before the book spoken after it.
    void finished(const RecordingOutcome &outcome);

private:
    void setTimerRunning(bool running);
    // The voice is done: the block is finished at once (between ticks).
    void lookAtVoice();
    bool lockAudioFolder();
    bool xmlMarkup() const;
    int speakFlags() const;
    QString wavPath(int n) const;
    int nextBlockToRecord(int from) const;
    // The block's MP3 is there and was made from the text the block gives
    // now (or, made before fingerprints were kept, says nothing otherwise).
    bool isRecordedAlready(int n) const;
    bool spokenTextChanged(int n) const;
    // What the block just prepared is spoken from; nothing when the texts
    // cannot tell.
    std::optional<BlockFingerprint> preparedFingerprint() const;
    void prepareAndSpeak();
    void waitAfterSpeak();
    void writeDebugText() const;
    void finishBlock();
    void reportEmptyWav(int block);
    void reportWriteFailure();
    void reportDictionaryFailure(const QString &failure);
    void reportEncoderNotStarted(const QString &program, BookEncoding &encoding);
    void reportEncoderFailures(const BookEncoding &encoding);
    OutputFiles &files() const { return *m_encoding->files; }
    BookEncoding *encodingOf(int id);
    // The books handed over, oldest first, then the book being spoken.
    QList<BookEncoding *> allEncodings();
    // A run under way or a WAV waiting, of any book.
    bool encodersHaveWork();
    // A run under way or a WAV waiting, of this book.
    bool hasEncoderWork(const BookEncoding &encoding) const;
    // The book's outcome, as far as the speaking decides it.
    void noteHowSpeakingEnded();
    void handOverSpokenBook();
    void finishEncodedBooks();
    void endBookEncoding(BookEncoding &encoding);
    void settleEndedRuns();
    void settleEncodedWav(const EndedEncoderRun &ended);
    bool startNextEncoders();
    bool startEncoders(BookEncoding &encoding);
    void stopAllEncoders();
    void encoderPoll();
    void stopWithFailure();
    void learnCoefficient(qint64 wavSize);
    void compressionStep();
    bool endTest();
    void showProgress();
    ProgressStages progressStages() const;
    // What the stages have done, with this much of the range's text spoken.
    StageWork stageWork(qint64 spokenChars) const;
    // The share done and the time left, into the progress shown next.
    void lookAtProgress(qint64 spokenChars);
    // The progress once every block is encoded, with this reading.
    RecordingProgress progressAfterTheBlocks(const ProgressReading &reading);
    void showWaitingForEncoder();
    void showEncoding();
    void stopOverdueEncoders();
    void stallCheck();
    void restartEngine();
    void reportAndStop();
    void reportVoiceFailure(const QString &failure);
    void writeErrorReport(const QString &cause);
    double now() const;
    double elapsed();
    double secondsSince(double secondOfDay) const;

    Settings &m_settings;
    QString m_programFolder;
    RecordingVoice &m_voice;
    BlockTexts &m_texts;
    BookFilesFactory m_bookFiles;
    EncoderPool &m_encoders;
    RecordingClock &m_clock;
    RecordingHost &m_host;
    QTimer m_timer;
    // Looks at the encoders between ticks, so the next WAV goes to one as
    // soon as a run is done rather than at the next tick.
    QTimer m_encoderPoll;
    // Looks at the voice between ticks, so the next block is spoken as soon
    // as the last one is done: the voice, the bottleneck once the encoders
    // run side by side, does not wait up to a tick between blocks.
    QTimer m_speechPoll;

    // The book being spoken, and its encoding.
    RecordedBook m_book;
    std::unique_ptr<BookEncoding> m_encoding;
    // Books of a batch handed over while their encoders run, oldest first.
    std::vector<std::unique_ptr<BookEncoding>> m_finishing;
    int m_lastEncodingId = 0;
    // A book's end is being told (see tick).
    bool m_endingBook = false;
    RecordingProgress m_progress;
    bool m_recording = false;
    int m_block = 0;
    bool m_paused = false;
    bool m_stopRequest = false;
    bool m_abortRequest = false;
    bool m_waitingForEncoder = false;
    bool m_engineFailed = false;
    bool m_filesFailed = false;
    int m_adjustedBlock = 0;
    int m_attempts = 0;
    double m_lastProgress = 0;
    bool m_progressSeen = false;
    qint64 m_lastWavSize = 0;
    double m_lastPercent = -1;
    double m_startTime = 0;
    qint64 m_totalChars = 0;
    qint64 m_charsDone = 0;
    QString m_blockText;
    qint64 m_blockTextLength = 0;
    int m_blockRawLength = 0;
    // What the voice and the encoder runs of the book being spoken have got
    // through; the encoders' seconds are those of each run, however many ran
    // at once.
    qint64 m_spokenBytes = 0;
    int m_blocksSpoken = 0;
    qint64 m_encodedBytes = 0;
    double m_encodeSeconds = 0;
    ProgressMeter m_meter;
    // Blocks with an MP3 looked at for a changed text since the book began,
    // and what was found: each is prepared once, not at every look.
    mutable QHash<int, bool> m_textChanged;
};
