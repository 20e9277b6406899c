#pragma once
// How far a recording has come and how long it still takes. Three stages
// work on the same sound: the voice speaks the text into WAVs, encoder runs
// turn the finished WAVs into MP3s side by side while the voice goes on, and
// a one-file book may be put together once the last block is encoded. The
// time left is foreseen from the speed each stage has shown so far: the
// voice and the encoders overlap, so the slower of the two decides, and the
// assembly comes after both. The share shown is the share of the job's time
// that has passed; it moves on only while some stage gets work done, never
// goes back, and reaches 100 when the job is over.

#include <QList>
#include <QtGlobal>

#include <optional>

// What the job is made of, known when it starts.
struct ProgressStages
{
    bool encoding = false; // each WAV is encoded
    bool assembly = false; // a one-file book is put together at the end
    int encoderJobs = 1;   // encoder runs at once
    // Wall seconds the one-file book takes per byte of WAV sound, until its
    // own progress tells better.
    double assemblySecondsPerByte = 0;
};

// An encoder run under way: the sound it was given and how long it has run.
struct RunUnderWay
{
    qint64 wavBytes = 0;
    double seconds = 0;
};

// What the stages have got through, at one look.
struct StageWork
{
    qint64 totalChars = 0;    // the text of the range to speak
    qint64 spokenChars = 0;   // of it spoken, the block under way included
    qint64 finishedChars = 0; // the text of the blocks whose WAVs are finished
    qint64 spokenBytes = 0;   // the sound in those WAVs
    int finishedBlocks = 0;
    bool speakingOver = false;
    qint64 encodedBytes = 0;    // the sound of the WAVs whose runs have ended
    double encodingSeconds = 0; // the wall seconds of those runs, added up
    QList<RunUnderWay> runs;    // the runs under way
    double assemblyShare = -1;  // the share of the one-file book made, once begun
    double assemblySeconds = 0; // since it began
};

struct ProgressReading
{
    double percent = 0; // 0 to 100
    std::optional<double> remainingSeconds;
};

class ProgressMeter
{
public:
    // A new job begins at `now` (seconds on the job's clock).
    void start(const ProgressStages &stages, double now);
    // One look at the work. Time spent paused with no work done does not
    // count as the job's time.
    ProgressReading look(const StageWork &work, double now, bool paused);
    // Every stage is done.
    ProgressReading finish();
    const ProgressReading &reading() const { return m_reading; }
    bool hasAssembly() const { return m_stages.assembly; }
    // The seconds still needed, as the stages' speeds foresee them; nothing
    // before a stage has shown a speed.
    std::optional<double> remainingSeconds(const StageWork &work) const;

private:
    // Bytes of sound a run under way has got through, at the speed of the
    // runs before it.
    double runningBytes(const StageWork &work) const;
    std::optional<double> speakingSecondsLeft(const StageWork &work) const;
    std::optional<double> encodingSecondsLeft(const StageWork &work, double speakingLeft) const;
    // Once everything is spoken: when the last run ends, the runs under way
    // and the WAVs waiting shared out among the encoders.
    double lastRunsSeconds(const StageWork &work, double runSpeed, double blockBytes) const;
    std::optional<double> assemblySecondsLeft(const StageWork &work) const;
    // The sound the whole range will make, foreseen from the blocks so far.
    std::optional<double> totalBytes(const StageWork &work) const;
    bool workMoved(const StageWork &work) const;

    ProgressStages m_stages;
    ProgressReading m_reading;
    double m_lastLook = 0;
    // The job's time so far, and the part of it the voice was speaking.
    double m_workSeconds = 0;
    double m_speakingSeconds = 0;
    bool m_placed = false; // the share has been placed once a speed is known
    StageWork m_last;
    double m_lastRunningBytes = 0;
};
