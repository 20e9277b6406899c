#pragma once
// The encoder processes of a recording, side by side. Each finished WAV gets
// a process of its own while the pool has room, so every processor can
// encode while the voice goes on speaking; with room for one, the WAVs are
// encoded one after another.

#include "common/process_runner.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// One WAV being encoded.
struct EncoderRun
{
    int block = 0;
    QString wavFile;      // its name in the book's audio folder
    qint64 wavBytes = 0;  // the sound it holds
    double startedAt = 0; // second of the day it started
    int book = 0;         // which book's run it is, for the recording
};

// A run that has ended, with the encoder's exit code (-1 when it crashed or
// was stopped).
struct EndedEncoderRun
{
    EncoderRun run;
    int exitCode = -1;
};

class EncoderPool
{
public:
    explicit EncoderPool(int jobs = 1);
    EncoderPool(const EncoderPool &) = delete;
    EncoderPool &operator=(const EncoderPool &) = delete;

    // The most runs at once the setting can ask for (the options window's
    // limit; a hand-edited file or the command line may say more).
    static constexpr int kMostJobs = 64;
    // The "Потоков кодирования" setting: 0 means one process per processor.
    static int jobsForSetting(int setting);
    // How many encoders may run at once (at least one). Runs under way go on.
    void setJobs(int jobs);
    int jobs() const { return m_jobs; }

    bool hasRoom() const { return int(m_slots.size()) < m_jobs; }
    bool isBusy() const { return !m_slots.empty(); }
    // False when the program could not be started; nothing runs then.
    bool start(const ProcessRequest &request, const EncoderRun &run);
    // Called from the event loop whenever a run ends, so its successor can
    // start at once.
    void setRunEndNotice(std::function<void()> notice) { m_runEndNotice = std::move(notice); }
    // The runs under way, oldest first.
    QList<EncoderRun> running() const;
    // The runs that have ended since the last call, taken out of the pool.
    QList<EndedEncoderRun> takeEnded();
    // Stops the run at once; it is then taken out by takeEnded.
    void stop(const EncoderRun &run);
    // Stops every run at once and takes them out; their runs are returned.
    QList<EncoderRun> stopAll();

private:
    struct Slot
    {
        EncoderRun run;
        std::unique_ptr<ProcessRunner> process;
    };
    int m_jobs = 1;
    std::vector<Slot> m_slots;
    std::function<void()> m_runEndNotice;
};
