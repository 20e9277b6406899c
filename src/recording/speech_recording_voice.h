#pragma once
// The recording driver's voice: the selected speech voice speaking each block
// into the block's WAV file, directly or (following the engine's position)
// through a memory stream that is written into the file when the block ends.

#include "app/settings.h"
#include "recording/block_read_along.h"
#include "recording/recording_ports.h"
#include "recording/speech/memory_stream.h"
#include "recording/speech/speech_voice.h"

#include <memory>

class SpeechRecordingVoice : public RecordingVoice
{
public:
    explicit SpeechRecordingVoice(const Settings &settings) : m_settings(settings) { }

    void init() override;
    MarkupKind markupKind() const override;
    bool speakToFile(const QString &wavPath, const QString &text, int flags) override;
    bool waitUntilDone(int msecs) override;
    int sentencePosition() const override;
    int sentenceLength() const override;
    void pause() override;
    void resume() override;
    void cancel() override;
    bool finishBlock() override;
    void closeStream() override;
    QString voiceProblem() const override;
    QString failure() const override;

private:
    const Settings &m_settings;
    std::unique_ptr<SpeechVoice> m_voice;
    std::shared_ptr<WavFileStream> m_file;
    std::shared_ptr<SpeechMemoryStream> m_memory;
    // With read-along text on: the block being spoken and where its words
    // were heard.
    std::shared_ptr<SpeechTimeline> m_timeline;
    SpokenBlock m_spoken;
    QString m_wavPath;
};
