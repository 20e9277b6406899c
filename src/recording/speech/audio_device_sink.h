#pragma once
// Speaking aloud. The sound goes to the default PulseAudio device; where no
// sound server or device can be reached it goes into a silent sink that takes
// the sound at the pace it would be heard, so the reported positions (the
// reader's highlighting) move as if it were heard and no error is shown.

#include "recording/speech/speech_sink.h"
#include "recording/speech/wav_file_stream.h"

#include <memory>

// The device sink when the device opens, else the silent one.
std::shared_ptr<SpeechSink> openAudioDevice(const PcmFormat &format);

class SilentRealTimeSink : public SpeechSink
{
public:
    explicit SilentRealTimeSink(const PcmFormat &format) : m_format(format) {}
    void write(const char *pcm, qint64 bytes) override;
    void drain() override {}
    void flush() override { m_started = false; }

private:
    PcmFormat m_format;
    bool m_started = false;
    qint64 m_startMsecs = 0;
    qint64 m_bytes = 0;
};
