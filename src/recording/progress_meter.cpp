#include "recording/progress_meter.h"

#include <algorithm>
#include <vector>

namespace {

// The share stays below 100 until the job has ended: a look never shows
// a job done that still runs.
constexpr double kMostBeforeTheEnd = 99.99;
// The time left is not shown during the first 90 seconds unless at least
// 1 percent is done: the first blocks foresee badly.
constexpr double kQuietSeconds = 90;
// The assembly's own progress is believed once this much of it is done.
constexpr double kAssemblyShareToGoBy = 0.02;

} // namespace

void ProgressMeter::start(const ProgressStages &stages, double now)
{
    *this = ProgressMeter();
    m_stages = stages;
    m_stages.encoderJobs = std::max(1, stages.encoderJobs);
    m_lastLook = now;
}

ProgressReading ProgressMeter::look(const StageWork &work, double now, bool paused)
{
    const double seconds = std::max(0.0, now - m_lastLook);
    m_lastLook = now;
    const bool moved = workMoved(work);
    if (!paused || moved)
        m_workSeconds += seconds;
    if (!paused && !work.speakingOver)
        m_speakingSeconds += seconds;
    m_last = work;
    m_lastRunningBytes = runningBytes(work);

    const std::optional<double> left = remainingSeconds(work);
    if (left) {
        double &percent = m_reading.percent;
        if (!m_placed && m_workSeconds > 0) {
            percent = std::max(percent, 100 * m_workSeconds / (m_workSeconds + *left));
            m_placed = true;
        } else if (m_placed && moved && seconds > 0) {
            // The part still to do shrinks by the share of the time left
            // that this look's time was.
            percent += (100 - percent) * seconds / (seconds + *left);
        }
        percent = std::min(percent, kMostBeforeTheEnd);
        if (m_workSeconds >= kQuietSeconds || percent >= 1)
            m_reading.remainingSeconds = *left;
    }
    return m_reading;
}

ProgressReading ProgressMeter::finish()
{
    m_reading.percent = 100;
    m_reading.remainingSeconds = 0;
    return m_reading;
}

bool ProgressMeter::workMoved(const StageWork &work) const
{
    return work.spokenChars > m_last.spokenChars || work.finishedBlocks > m_last.finishedBlocks
           || work.encodedBytes > m_last.encodedBytes || work.assemblyShare > m_last.assemblyShare
           || work.speakingOver != m_last.speakingOver || runningBytes(work) > m_lastRunningBytes;
}

std::optional<double> ProgressMeter::totalBytes(const StageWork &work) const
{
    if (work.speakingOver)
        return double(work.spokenBytes);
    if (work.finishedChars <= 0 || work.spokenBytes <= 0)
        return std::nullopt;
    return double(work.spokenBytes) * std::max(work.totalChars, work.finishedChars) / work.finishedChars;
}

std::optional<double> ProgressMeter::speakingSecondsLeft(const StageWork &work) const
{
    if (work.speakingOver)
        return 0.0;
    if (work.spokenChars <= 0 || m_speakingSeconds <= 0)
        return std::nullopt;
    const double charsPerSecond = work.spokenChars / m_speakingSeconds;
    return std::max<qint64>(0, work.totalChars - work.spokenChars) / charsPerSecond;
}

double ProgressMeter::runningBytes(const StageWork &work) const
{
    if (work.encodedBytes <= 0 || work.encodingSeconds <= 0)
        return 0;
    const double bytesPerSecond = work.encodedBytes / work.encodingSeconds;
    double bytes = 0;
    // A run is never counted for the whole of its block before it ends.
    for (const RunUnderWay &run : work.runs)
        bytes += std::min(0.9 * run.wavBytes, run.seconds * bytesPerSecond);
    return bytes;
}

std::optional<double> ProgressMeter::encodingSecondsLeft(const StageWork &work, double speakingLeft) const
{
    if (!m_stages.encoding)
        return 0.0;
    // Until a run has ended there is nothing to foresee the encoders by:
    // they may be far slower than the voice, or far faster.
    const std::optional<double> total = totalBytes(work);
    if (!total || work.encodedBytes <= 0 || work.encodingSeconds <= 0)
        return std::nullopt;
    const double runSpeed = work.encodedBytes / work.encodingSeconds;
    const double running = runningBytes(work);
    const double left = std::max(0.0, *total - work.encodedBytes - running);
    const double sideBySide = left / (runSpeed * m_stages.encoderJobs);
    const double blockBytes = work.finishedBlocks > 0 ? double(work.spokenBytes) / work.finishedBlocks : 0;
    if (work.speakingOver)
        return lastRunsSeconds(work, runSpeed, blockBytes);
    // The last block is encoded only once the voice has spoken it.
    return std::max(sideBySide, speakingLeft + std::min(left, blockBytes) / runSpeed);
}

double ProgressMeter::lastRunsSeconds(const StageWork &work, double runSpeed, double blockBytes) const
{
    // Every WAV is there: the runs under way end one by one, and each WAV
    // still waiting goes to the run that is free first.
    std::vector<double> freeAt(std::size_t(m_stages.encoderJobs), 0.0);
    double waiting = double(work.spokenBytes - work.encodedBytes);
    for (qsizetype i = 0; i < work.runs.size() && std::size_t(i) < freeAt.size(); ++i) {
        const RunUnderWay &run = work.runs[i];
        freeAt[std::size_t(i)] = (run.wavBytes - std::min(0.9 * run.wavBytes, run.seconds * runSpeed)) / runSpeed;
        waiting -= run.wavBytes;
    }
    const double piece = blockBytes > 0 ? blockBytes : std::max(waiting, 1.0);
    for (; waiting > 0; waiting -= piece)
        *std::min_element(freeAt.begin(), freeAt.end()) += std::min(waiting, piece) / runSpeed;
    return *std::max_element(freeAt.begin(), freeAt.end());
}

std::optional<double> ProgressMeter::assemblySecondsLeft(const StageWork &work) const
{
    if (!m_stages.assembly)
        return 0.0;
    const double share = std::clamp(work.assemblyShare, 0.0, 1.0);
    if (work.assemblyShare >= kAssemblyShareToGoBy && work.assemblySeconds > 0)
        return work.assemblySeconds * (1 - share) / share;
    const std::optional<double> total = totalBytes(work);
    if (!total)
        return 0.0; // nothing to foresee it by yet; the other stages tell
    return *total * m_stages.assemblySecondsPerByte * (1 - share);
}

std::optional<double> ProgressMeter::remainingSeconds(const StageWork &work) const
{
    const std::optional<double> speaking = speakingSecondsLeft(work);
    if (!speaking)
        return std::nullopt;
    const std::optional<double> encoding = encodingSecondsLeft(work, *speaking);
    const std::optional<double> assembly = assemblySecondsLeft(work);
    if (!encoding || !assembly)
        return std::nullopt;
    return std::max(*speaking, *encoding) + *assembly;
}
