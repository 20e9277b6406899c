#include "recording/speech/audio_device_sink.h"

#include "recording/speech/pulse_audio_stream.h"

#include <QDateTime>
#include <QThread>

#include <algorithm>

namespace {

qint64 nowMsecs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

void SilentRealTimeSink::write(const char *, qint64 bytes)
{
    if (!m_started) {
        m_started = true;
        m_startMsecs = nowMsecs();
        m_bytes = 0;
    }
    m_bytes += bytes;
    const qint64 due = m_startMsecs + m_bytes * 1000 / m_format.bytesPerSecond();
    const qint64 wait = due - nowMsecs();
    if (wait > 0)
        QThread::msleep(ulong(wait));
    else if (wait < -500)
        m_started = false; // a long gap (a pause): the pace starts again
}

AudioDeviceSink::AudioDeviceSink(const PcmFormat &format) : m_format(format), m_silent(format) { }

AudioDeviceSink::~AudioDeviceSink() = default;

std::shared_ptr<PulseAudioStream> AudioDeviceSink::device() const
{
    std::lock_guard lock(m_mutex);
    return m_device;
}

// On the synthesis thread, as an utterance begins: the server may have come
// back (or come up) since the last one.
void AudioDeviceSink::connectIfGone()
{
    const std::shared_ptr<PulseAudioStream> current = device();
    if (current && !current->failed())
        return;
    std::shared_ptr<PulseAudioStream> opened = PulseAudioStream::open(m_format);
    if (!opened)
        return;
    std::lock_guard lock(m_mutex);
    opened->hold(m_held);
    m_device = std::move(opened);
    m_wasHeard = true;
}

void AudioDeviceSink::write(const char *pcm, qint64 bytes)
{
    if (m_startsUtterance.exchange(false))
        connectIfGone();
    const std::shared_ptr<PulseAudioStream> current = device();
    if (current && current->write(pcm, bytes))
        return;
    m_silent.write(pcm, bytes);
}

qint64 AudioDeviceSink::heardBytes(qint64 written) const
{
    const std::shared_ptr<PulseAudioStream> current = device();
    if (!current || current->failed())
        return written; // the silent sink took it at the pace of hearing
    return std::max<qint64>(0, written - current->unheardBytes());
}

void AudioDeviceSink::finish()
{
    m_startsUtterance = true;
    if (const std::shared_ptr<PulseAudioStream> current = device())
        current->finish();
}

void AudioDeviceSink::hold(bool held)
{
    std::lock_guard lock(m_mutex);
    m_held = held;
    if (m_device)
        m_device->hold(held);
}

void AudioDeviceSink::flush()
{
    m_startsUtterance = true;
    std::shared_ptr<PulseAudioStream> current;
    {
        std::lock_guard lock(m_mutex);
        m_held = false; // a cut-off also lets go of a pause
        current = m_device;
    }
    if (current)
        current->cutOff();
    m_silent.flush();
}

bool AudioDeviceSink::isHeard() const
{
    const std::shared_ptr<PulseAudioStream> current = device();
    return current && !current->failed();
}

bool AudioDeviceSink::isLost() const
{
    return m_wasHeard && !isHeard();
}
