#include "recording/speech/pulse_audio_stream.h"

#include <algorithm>

namespace {

// What the server keeps in its buffer and the device's own: a short total
// keeps what is heard close to what was written, so the positions reported
// on writing follow the listener and a cut-off leaves little to hear.
constexpr int kLatencyMsecs = 150;
// How long a server may take to accept the connection and the stream.
constexpr pa_usec_t kConnectUsecs = 2 * PA_USEC_PER_SEC;
// While sound is due the server is asked for its timing this often; one
// that leaves a question unanswered this long is taken for gone (a live
// server answers within milliseconds, a busy one within a few hundred).
constexpr pa_usec_t kWatchUsecs = 250 * PA_USEC_PER_MSEC;
constexpr pa_usec_t kStallUsecs = 3 * PA_USEC_PER_SEC;

bool isFinal(pa_context_state_t state)
{
    return state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED;
}
bool isFinal(pa_stream_state_t state)
{
    return state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED;
}

// Holds the main loop's lock for a scope.
class LoopLock
{
public:
    explicit LoopLock(pa_threaded_mainloop *loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};

// Operations whose end nobody waits for.
void release(pa_operation *operation)
{
    if (operation)
        pa_operation_unref(operation);
}

} // namespace

PulseAudioStream::PulseAudioStream(const PcmFormat &format) : m_format(format) { }

std::unique_ptr<PulseAudioStream> PulseAudioStream::open(const PcmFormat &format)
{
    std::unique_ptr<PulseAudioStream> stream(new PulseAudioStream(format));
    if (!stream->connect())
        return nullptr;
    return stream;
}

bool PulseAudioStream::connect()
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return false;
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Lectorium");
    if (!m_context)
        return false;
    pa_context_set_state_callback(m_context, onContextState, this);
    if (pa_threaded_mainloop_start(m_loop) < 0)
        return false;

    LoopLock lock(m_loop);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0
        || !waitFor(&PulseAudioStream::contextSettled, kConnectUsecs)
        || pa_context_get_state(m_context) != PA_CONTEXT_READY)
        return false;

    pa_sample_spec sampleFormat;
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = uint32_t(m_format.sampleRate);
    sampleFormat.channels = uint8_t(m_format.channels);
    m_stream = pa_stream_new(m_context, "speech", &sampleFormat, nullptr);
    if (!m_stream)
        return false;
    pa_stream_set_state_callback(m_stream, onStreamState, this);
    pa_stream_set_write_callback(m_stream, onWritable, this);
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(m_format.bytesPerSecond() * kLatencyMsecs / 1000);
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    const auto flags =
        pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, flags, nullptr, nullptr) < 0
        || !waitFor(&PulseAudioStream::streamSettled, kConnectUsecs)
        || pa_stream_get_state(m_stream) != PA_STREAM_READY)
        return false;
    startWatching();
    return true;
}

PulseAudioStream::~PulseAudioStream()
{
    if (!m_loop)
        return;
    {
        LoopLock lock(m_loop);
        if (m_watchTimer)
            pa_threaded_mainloop_get_api(m_loop)->time_free(m_watchTimer);
        if (m_drain) {
            pa_operation_cancel(m_drain);
            pa_operation_unref(m_drain);
        }
        if (m_stream) {
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_set_write_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
        }
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

// Waits (the lock held) until `ready` holds or `timeout` has passed.
bool PulseAudioStream::waitFor(bool (PulseAudioStream::*ready)() const, pa_usec_t timeout)
{
    m_alarmRang = false;
    pa_time_event *alarm = pa_context_rttime_new(m_context, pa_rtclock_now() + timeout, onAlarm, this);
    if (!alarm)
        return (this->*ready)();
    while (!(this->*ready)() && !m_alarmRang)
        pa_threaded_mainloop_wait(m_loop);
    pa_threaded_mainloop_get_api(m_loop)->time_free(alarm);
    return (this->*ready)();
}

bool PulseAudioStream::contextSettled() const
{
    const pa_context_state_t state = pa_context_get_state(m_context);
    return state == PA_CONTEXT_READY || isFinal(state);
}

bool PulseAudioStream::streamSettled() const
{
    const pa_stream_state_t state = pa_stream_get_state(m_stream);
    return state == PA_STREAM_READY || isFinal(state);
}

bool PulseAudioStream::write(const char *pcm, qint64 bytes)
{
    LoopLock lock(m_loop);
    const quint64 cutOffs = m_cutOffs;
    while (bytes > 0) {
        if (m_failed)
            return false;
        if (m_cutOffs != cutOffs)
            return true;
        const size_t room = pa_stream_writable_size(m_stream);
        if (room == size_t(-1)) {
            fail();
            return false;
        }
        if (room == 0) {
            pa_threaded_mainloop_wait(m_loop);
            continue;
        }
        const size_t n = std::min(room, size_t(bytes));
        if (pa_stream_write(m_stream, pcm, n, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            fail();
            return false;
        }
        m_soundDue = true;
        m_writtenSinceQuiet += qint64(n);
        pcm += n;
        bytes -= qint64(n);
    }
    return true;
}

qint64 PulseAudioStream::unheardBytes() const
{
    LoopLock lock(m_loop);
    if (m_failed || !m_soundDue)
        return 0;
    // The latency counts the device's own buffer too, which stays filled
    // (with silence) after the sound has played: it tells how far behind
    // the listener is while sound flows, never that everything was heard.
    // Only the end of a drain tells that.
    pa_usec_t latency = 0;
    int negative = 0;
    if (pa_stream_get_latency(m_stream, &latency, &negative) < 0)
        return m_writtenSinceQuiet;
    if (negative)
        return 0;
    const qint64 bytes = qint64(latency) * m_format.bytesPerSecond() / qint64(PA_USEC_PER_SEC);
    return std::min(bytes, m_writtenSinceQuiet);
}

void PulseAudioStream::finish()
{
    LoopLock lock(m_loop);
    if (m_failed || !m_soundDue || m_drain)
        return;
    m_drain = pa_stream_drain(m_stream, onDrained, this);
}

void PulseAudioStream::hold(bool held)
{
    LoopLock lock(m_loop);
    if (m_failed || held == m_held)
        return;
    m_held = held;
    m_probeSentAt = 0;
    release(pa_stream_cork(m_stream, held ? 1 : 0, nullptr, nullptr));
}

void PulseAudioStream::cutOff()
{
    LoopLock lock(m_loop);
    m_cutOffs++;
    pa_threaded_mainloop_signal(m_loop, 0);
    if (m_failed)
        return;
    if (m_drain) {
        pa_operation_cancel(m_drain);
        pa_operation_unref(m_drain);
        m_drain = nullptr;
    }
    // Flushed first: uncorking then has nothing left to play.
    release(pa_stream_flush(m_stream, nullptr, nullptr));
    if (m_held) {
        m_held = false;
        release(pa_stream_cork(m_stream, 0, nullptr, nullptr));
    }
    m_soundDue = false;
    m_writtenSinceQuiet = 0;
    m_probeSentAt = 0;
}

bool PulseAudioStream::failed() const
{
    LoopLock lock(m_loop);
    return m_failed;
}

void PulseAudioStream::fail()
{
    if (m_failed)
        return;
    m_failed = true;
    m_soundDue = false;
    m_writtenSinceQuiet = 0;
    // A server that only stalled must not play the rest when it wakes.
    if (m_stream && !isFinal(pa_stream_get_state(m_stream)))
        pa_stream_disconnect(m_stream);
    pa_threaded_mainloop_signal(m_loop, 0);
}

void PulseAudioStream::startWatching()
{
    m_watchTimer = pa_context_rttime_new(m_context, pa_rtclock_now() + kWatchUsecs, onWatchTimer, this);
}

// On the main loop's thread: asks a server that has sound to play whether
// it is still there, and gives up on one that does not answer.
void PulseAudioStream::watch()
{
    if (m_failed || !m_soundDue || m_held) {
        m_probeSentAt = 0;
        return;
    }
    const pa_usec_t now = pa_rtclock_now();
    if (m_probeSentAt == 0) {
        m_probeSentAt = now;
        release(pa_stream_update_timing_info(m_stream, onProbeAnswered, this));
    } else if (now - m_probeSentAt > kStallUsecs) {
        fail();
    }
}

void PulseAudioStream::onContextState(pa_context *context, void *self)
{
    auto *stream = static_cast<PulseAudioStream *>(self);
    if (isFinal(pa_context_get_state(context)))
        stream->fail();
    pa_threaded_mainloop_signal(stream->m_loop, 0);
}

void PulseAudioStream::onStreamState(pa_stream *paStream, void *self)
{
    auto *stream = static_cast<PulseAudioStream *>(self);
    // Killed by the server (its device went away and no other took the
    // stream) or cut off with the connection.
    if (isFinal(pa_stream_get_state(paStream)))
        stream->fail();
    pa_threaded_mainloop_signal(stream->m_loop, 0);
}

void PulseAudioStream::onWritable(pa_stream *, size_t, void *self)
{
    auto *stream = static_cast<PulseAudioStream *>(self);
    stream->m_probeSentAt = 0;
    pa_threaded_mainloop_signal(stream->m_loop, 0);
}

void PulseAudioStream::onDrained(pa_stream *, int, void *self)
{
    auto *stream = static_cast<PulseAudioStream *>(self);
    if (stream->m_drain) {
        pa_operation_unref(stream->m_drain);
        stream->m_drain = nullptr;
    }
    stream->m_soundDue = false;
    stream->m_writtenSinceQuiet = 0;
    pa_threaded_mainloop_signal(stream->m_loop, 0);
}

void PulseAudioStream::onProbeAnswered(pa_stream *, int, void *self)
{
    static_cast<PulseAudioStream *>(self)->m_probeSentAt = 0;
}

void PulseAudioStream::onWatchTimer(pa_mainloop_api *, pa_time_event *event, const struct timeval *, void *self)
{
    auto *stream = static_cast<PulseAudioStream *>(self);
    stream->watch();
    pa_context_rttime_restart(stream->m_context, event, pa_rtclock_now() + kWatchUsecs);
}

void PulseAudioStream::onAlarm(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
{
    auto *stream = static_cast<PulseAudioStream *>(self);
    stream->m_alarmRang = true;
    pa_threaded_mainloop_signal(stream->m_loop, 0);
}
