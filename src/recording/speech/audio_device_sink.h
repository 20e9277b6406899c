#pragma once
// Speaking aloud. The sound goes to the default device of the sound server
// (PulseAudio, or PipeWire through its PulseAudio interface); where no server
// answers it goes into a silent sink that takes the sound at the pace it
// would be heard, so the reported positions (the reader's highlighting) move
// as if it were heard and no error is shown. A server that goes away while
// speaking leaves the rest of the sound to the silent sink, and the sink
// says that it was lost; each new utterance asks for the server again, so a
// restarted server is heard from the next one on.

#include "recording/speech/speech_sink.h"
#include "recording/speech/wav_file_stream.h"

#include <atomic>
#include <memory>
#include <mutex>

class PulseAudioStream;

class SilentRealTimeSink : public SpeechSink
{
public:
    explicit SilentRealTimeSink(const PcmFormat &format) : m_format(format) { }
    void write(const char *pcm, qint64 bytes) override;
    void flush() override { m_started = false; }

private:
    PcmFormat m_format;
    std::atomic<bool> m_started{false};
    qint64 m_startMsecs = 0;
    qint64 m_bytes = 0;
};

class AudioDeviceSink : public SpeechSink
{
public:
    explicit AudioDeviceSink(const PcmFormat &format);
    ~AudioDeviceSink() override;
    AudioDeviceSink(const AudioDeviceSink &) = delete;
    AudioDeviceSink &operator=(const AudioDeviceSink &) = delete;

    void write(const char *pcm, qint64 bytes) override;
    qint64 heardBytes(qint64 written) const override;
    void finish() override;
    void hold(bool held) override;
    void flush() override;

    // The sound goes to the device.
    bool isHeard() const;
    // The device was heard and has gone away since: the sound goes nowhere.
    bool isLost() const;

private:
    std::shared_ptr<PulseAudioStream> device() const;
    void connectIfGone();

    PcmFormat m_format;
    SilentRealTimeSink m_silent;
    mutable std::mutex m_mutex;
    std::shared_ptr<PulseAudioStream> m_device; // guarded by m_mutex
    bool m_held = false;                        // guarded by m_mutex
    std::atomic<bool> m_startsUtterance{true};
    std::atomic<bool> m_wasHeard{false};
};
