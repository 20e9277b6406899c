#pragma once
// One playback stream to the PulseAudio server (or PipeWire's PulseAudio
// interface), over the asynchronous client library so that no call waits
// for a server that has gone away or stopped answering.
//
// Writes block only while the stream's short buffer is full, so the writer
// goes at the pace of the sound. Holding corks the stream: the sound stops
// at once instead of playing out what is buffered. A stream whose server
// dies, whose device goes away or whose server stops answering while sound
// is due turns "failed" and every call returns at once from then on.

#include "recording/speech/wav_file_stream.h"

#include <pulse/pulseaudio.h>

#include <memory>

class PulseAudioStream
{
public:
    // Null when no server answers within a short wait.
    static std::unique_ptr<PulseAudioStream> open(const PcmFormat &format);
    ~PulseAudioStream();
    PulseAudioStream(const PulseAudioStream &) = delete;
    PulseAudioStream &operator=(const PulseAudioStream &) = delete;

    // Plays the samples, waiting for room in the buffer. False when the
    // stream has failed; true (with the rest dropped) when cut off meanwhile.
    bool write(const char *pcm, qint64 bytes);
    // Of what was written since the stream was last quiet, the bytes not
    // yet heard.
    qint64 unheardBytes() const;
    // No more sound follows for now: plays what the server holds back while
    // it waits for more, and counts everything as heard once it has played.
    void finish();
    // Any thread: stops or continues the sound at once.
    void hold(bool held);
    // Any thread: drops at once what is not yet heard, the rest of a write
    // that waits for room included.
    void cutOff();
    bool failed() const;

private:
    PulseAudioStream(const PcmFormat &format);
    bool connect();
    bool waitFor(bool (PulseAudioStream::*ready)() const, pa_usec_t timeout);
    bool contextSettled() const;
    bool streamSettled() const;
    void fail();
    void watch();
    void startWatching();

    static void onContextState(pa_context *context, void *self);
    static void onStreamState(pa_stream *stream, void *self);
    static void onWritable(pa_stream *stream, size_t bytes, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);
    static void onProbeAnswered(pa_stream *stream, int success, void *self);
    static void onWatchTimer(pa_mainloop_api *api, pa_time_event *event, const struct timeval *, void *self);
    static void onAlarm(pa_mainloop_api *api, pa_time_event *event, const struct timeval *, void *self);

    PcmFormat m_format;
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    pa_time_event *m_watchTimer = nullptr;
    // The fields below are guarded by the main loop's lock.
    pa_operation *m_drain = nullptr;
    bool m_failed = false;
    bool m_held = false;
    // Sound is written and not yet known to be played, this much of it.
    bool m_soundDue = false;
    qint64 m_writtenSinceQuiet = 0;
    // Moved on by a cut-off: a write that began before it stops.
    quint64 m_cutOffs = 0;
    bool m_alarmRang = false;
    // When the unanswered question to the server was asked; 0 when none is.
    pa_usec_t m_probeSentAt = 0;
};
