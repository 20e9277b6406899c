#include "recording/speech/audio_device_sink.h"

#include <QDateTime>
#include <QThread>

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

// A short device buffer keeps what is heard close to what was written, so
// positions reported on writing follow the listener.
constexpr int kDeviceBufferMsecs = 150;

class PulseSink : public SpeechSink
{
public:
    PulseSink(pa_simple *stream, const PcmFormat &format) : m_stream(stream), m_format(format) {}
    ~PulseSink() override
    {
        pa_simple_drain(m_stream, nullptr);
        pa_simple_free(m_stream);
    }
    void write(const char *pcm, qint64 bytes) override
    {
        int error = 0;
        pa_simple_write(m_stream, pcm, size_t(bytes), &error);
    }
    qint64 heardBytes(qint64 written) const override
    {
        int error = 0;
        const pa_usec_t latency = pa_simple_get_latency(m_stream, &error);
        if (error)
            return written;
        return std::max<qint64>(0, written - qint64(latency) * m_format.bytesPerSecond() / 1000000);
    }
    void drain() override
    {
        int error = 0;
        pa_simple_drain(m_stream, &error);
    }
    void flush() override
    {
        int error = 0;
        pa_simple_flush(m_stream, &error);
    }

private:
    pa_simple *m_stream;
    PcmFormat m_format;
};

qint64 nowMsecs() { return QDateTime::currentMSecsSinceEpoch(); }

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

std::shared_ptr<SpeechSink> openAudioDevice(const PcmFormat &format)
{
    pa_sample_spec sampleFormat;
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = uint32_t(format.sampleRate);
    sampleFormat.channels = uint8_t(format.channels);
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(format.bytesPerSecond() * kDeviceBufferMsecs / 1000);
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    int error = 0;
    pa_simple *stream = pa_simple_new(nullptr, "Lectorium", PA_STREAM_PLAYBACK, nullptr, "speech", &sampleFormat,
                                      nullptr, &attr, &error);
    if (!stream)
        return std::make_shared<SilentRealTimeSink>(format);
    return std::make_shared<PulseSink>(stream, format);
}
