#include "recording/progress_meter.h"

#include <QList>

#include <cmath>

#include <gtest/gtest.h>

namespace {

// A recording played out at steady speeds: the voice speaks blocks of equal
// length, each finished WAV is encoded by one of `jobs` runs, and the
// one-file book is put together once the last run has ended. Each look
// (every half second) is kept with its time, so the meter can be fed the
// looks afterwards and its share compared with the real share of the time.
struct Pipeline
{
    int blocks = 20;
    qint64 charsPerBlock = 5000;
    qint64 bytesPerChar = 100;
    double charsPerSecond = 500;  // the voice
    double runBytesPerSecond = 0; // one encoder run; 0: no encoding
    int jobs = 2;
    double assemblySeconds = 0; // 0: no one-file book

    struct Look
    {
        double time;
        StageWork work;
    };

    QList<Look> play() const
    {
        constexpr double kStep = 0.5;
        const qint64 blockBytes = charsPerBlock * bytesPerChar;
        StageWork work;
        work.totalChars = blocks * charsPerBlock;
        double blockChars = 0;
        int queued = 0;
        QList<Look> looks;
        for (double t = kStep;; t += kStep) {
            if (!work.speakingOver) {
                blockChars += charsPerSecond * kStep;
                if (blockChars >= charsPerBlock) {
                    blockChars = 0;
                    ++work.finishedBlocks;
                    work.finishedChars += charsPerBlock;
                    work.spokenBytes += blockBytes;
                    work.speakingOver = work.finishedBlocks == blocks;
                    if (runBytesPerSecond > 0)
                        ++queued;
                }
                work.spokenChars = work.finishedChars + qint64(blockChars);
            }
            for (int i = int(work.runs.size()) - 1; i >= 0; --i) {
                RunUnderWay &run = work.runs[i];
                run.seconds += kStep;
                if (run.seconds * runBytesPerSecond >= run.wavBytes) {
                    work.encodedBytes += run.wavBytes;
                    work.encodingSeconds += run.seconds;
                    work.runs.removeAt(i);
                }
            }
            while (queued > 0 && work.runs.size() < jobs) {
                --queued;
                work.runs.append({blockBytes, 0});
            }
            const bool blocksDone = work.speakingOver && work.runs.isEmpty() && queued == 0;
            if (blocksDone && assemblySeconds > 0) {
                work.assemblySeconds += kStep;
                work.assemblyShare = std::min(1.0, work.assemblySeconds / assemblySeconds);
            }
            looks.append({t, work});
            if (blocksDone && (assemblySeconds <= 0 || work.assemblyShare >= 1))
                return looks;
        }
    }

    ProgressStages stages(double assemblyGuessFactor = 1) const
    {
        const double totalBytes = double(blocks) * charsPerBlock * bytesPerChar;
        return {runBytesPerSecond > 0, assemblySeconds > 0, jobs, assemblySeconds / totalBytes * assemblyGuessFactor};
    }
};

struct MeterCase
{
    const char *name;
    Pipeline pipeline;
    double assemblyGuessFactor; // how wrong the assembly's foreseen time is
    double mostPointsOff;       // from the real share of the time, after the first tenth
};

} // namespace

// The share follows the real share of the job's time whichever stage is
// the slower one, the time left shrinks with steady work, and the job ends
// at 100 %.
TEST(ProgressMeter, FollowsTheRealShareOfTheTime)
{
    const MeterCase cases[] = {
        {"the voice is the slower", {20, 5000, 100, 500, 250000, 2, 0}, 1, 3},
        {"the encoders are the slower", {20, 5000, 100, 500, 500000.0 / 30, 2, 0}, 1, 3},
        {"one encoder, slower still", {20, 5000, 100, 500, 500000.0 / 25, 1, 0}, 1, 3},
        {"no encoding", {20, 5000, 100, 500, 0, 2, 0}, 1, 2},
        {"a one-file book at the end", {20, 5000, 100, 500, 500000.0 / 30, 2, 60}, 1, 3},
        {"its time foreseen three times too short", {20, 5000, 100, 500, 500000.0 / 30, 2, 60}, 1.0 / 3, 12},
    };
    for (const MeterCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QList<Pipeline::Look> looks = c.pipeline.play();
        const double total = looks.last().time;
        ProgressMeter meter;
        meter.start(c.pipeline.stages(c.assemblyGuessFactor), 0);
        double lastPercent = 0;
        std::optional<double> lastLeft;
        const bool steady = c.assemblyGuessFactor == 1;
        for (const Pipeline::Look &look : looks) {
            const ProgressReading reading = meter.look(look.work, look.time, false);
            EXPECT_GE(reading.percent, lastPercent) << "at " << look.time << " s";
            lastPercent = reading.percent;
            // The share is placed once every stage has shown its speed (an
            // encoder run has ended); the time left then never grows by
            // more than a run's start changes it.
            const bool speedsKnown = look.work.encodedBytes > 0 || c.pipeline.runBytesPerSecond <= 0;
            if (speedsKnown && look.time > total / 10) {
                EXPECT_NEAR(reading.percent, 100 * look.time / total, c.mostPointsOff) << "at " << look.time << " s";
            }
            if (steady && speedsKnown && lastLeft && reading.remainingSeconds) {
                EXPECT_LE(*reading.remainingSeconds, *lastLeft * 1.05 + 1) << "at " << look.time << " s";
            }
            if (reading.remainingSeconds)
                lastLeft = reading.remainingSeconds;
        }
        EXPECT_LT(lastPercent, 100) << "only the end says 100";
        EXPECT_EQ(meter.finish().percent, 100);
    }
}

// A pause with nothing done holds the share and the time left; the time
// paused does not make the voice look slower afterwards.
TEST(ProgressMeter, APauseHoldsTheShare)
{
    Pipeline pipeline;
    pipeline.runBytesPerSecond = 0;
    const QList<Pipeline::Look> looks = pipeline.play();
    ProgressMeter meter;
    meter.start(pipeline.stages(), 0);
    const int half = int(looks.size()) / 2;
    ProgressReading before;
    for (int i = 0; i <= half; ++i)
        before = meter.look(looks[i].work, looks[i].time, false);
    const double pauseSeconds = 600;
    const ProgressReading paused = meter.look(looks[half].work, looks[half].time + pauseSeconds, true);
    EXPECT_EQ(paused.percent, before.percent);
    ASSERT_TRUE(paused.remainingSeconds && before.remainingSeconds);
    EXPECT_NEAR(*paused.remainingSeconds, *before.remainingSeconds, 1);
    const Pipeline::Look &next = looks[half + 1];
    const ProgressReading after = meter.look(next.work, next.time + pauseSeconds, false);
    EXPECT_NEAR(*after.remainingSeconds, *before.remainingSeconds, 1);
}

// Nothing moves while no stage gets work done (a stalled voice).
TEST(ProgressMeter, NoWorkNoProgress)
{
    Pipeline pipeline;
    const QList<Pipeline::Look> looks = pipeline.play();
    ProgressMeter meter;
    meter.start(pipeline.stages(), 0);
    StageWork stalled;
    double stalledAt = 0;
    for (const Pipeline::Look &look : looks) {
        meter.look(look.work, look.time, false);
        if (look.work.finishedBlocks == 3 && look.work.runs.isEmpty()) {
            stalled = look.work;
            stalledAt = look.time;
            break;
        }
    }
    const double held = meter.reading().percent;
    ASSERT_GT(held, 0);
    for (int i = 1; i < 100; ++i)
        EXPECT_EQ(meter.look(stalled, stalledAt + i, false).percent, held);
}
