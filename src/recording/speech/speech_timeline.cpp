#include "recording/speech/speech_timeline.h"

#include <algorithm>

double SpeechTimeline::secondsOf(qint64 bytes) const
{
    return m_bytesPerSecond > 0 ? double(std::max<qint64>(0, bytes)) / m_bytesPerSecond : 0;
}

void SpeechTimeline::advance(qint64 bytes)
{
    std::lock_guard lock(m_mutex);
    m_bytes += bytes;
}

void SpeechTimeline::noteWord(int position, int length, qint64 offsetBytes)
{
    std::lock_guard lock(m_mutex);
    m_spans.append({TimedSpan::Word, position, length, secondsOf(m_bytes + offsetBytes), 0});
}

void SpeechTimeline::noteStretch(int position, int length, qint64 soundBytes)
{
    std::lock_guard lock(m_mutex);
    m_spans.append({TimedSpan::Stretch, position, length, secondsOf(m_bytes), secondsOf(soundBytes)});
}

QList<TimedSpan> SpeechTimeline::spans() const
{
    std::lock_guard lock(m_mutex);
    return m_spans;
}

double SpeechTimeline::seconds() const
{
    std::lock_guard lock(m_mutex);
    return secondsOf(m_bytes);
}
