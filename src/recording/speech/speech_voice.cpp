#include "recording/speech/speech_voice.h"

#include "recording/speech/audio_device_sink.h"

#include <chrono>

namespace {

EspeakEngine &engine() { return EspeakEngine::instance(); }

} // namespace

SpeechVoice::SpeechVoice() : m_state(std::make_shared<SpeechState>()) {}

SpeechVoice::~SpeechVoice()
{
    purge();
}

QList<VoiceToken> SpeechVoice::GetVoices()
{
    QList<VoiceToken> tokens;
    for (const EngineVoice &voice : engine().voices()) {
        const int kind = voice.description.contains(QStringLiteral("Cube")) ? SVSFIsNotXML : SVSFIsXML;
        tokens.append({voice.description, voice.language, kind});
    }
    return tokens;
}

int SpeechVoice::voiceForLanguage(const QString &language)
{
    const QList<EngineVoice> &voices = engine().voices();
    for (int i = 0; i < voices.size(); ++i)
        if (voices.at(i).language.compare(language, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool SpeechVoice::selectVoice(int index)
{
    if (index < 0 || index >= engine().voices().size())
        return false;
    m_voice = index;
    return true;
}

const PcmFormat &SpeechVoice::format() const
{
    return engine().format();
}

void SpeechVoice::setAudioOutputStream(std::shared_ptr<SpeechSink> stream)
{
    m_stream = std::move(stream);
}

std::shared_ptr<SpeechSink> SpeechVoice::output()
{
    if (m_stream)
        return m_stream;
    if (!m_device)
        m_device = openAudioDevice(format());
    return m_device;
}

void SpeechVoice::purge()
{
    std::lock_guard lock(m_state->mutex);
    m_state->generation++;
    m_state->paused = false;
    m_state->changed.notify_all();
}

void SpeechVoice::Speak(const QString &text, int flags)
{
    if (flags & SVSFPurgeBeforeSpeak)
        purge();
    const QList<EngineVoice> &voices = engine().voices();
    SpeechJob job;
    job.state = m_state;
    job.generation = m_state->generation;
    job.pieces = (flags & SVSFIsNotXML) ? plainTextPieces(text) : parseSapiXml(text);
    job.voiceIdentifier = m_voice < voices.size() ? voices.at(m_voice).identifier : QString();
    job.volume = m_volume;
    job.sink = output();
    engine().enqueue(std::move(job));
    if (!(flags & SVSFlagsAsync))
        WaitUntilDone(-1);
}

SpeechStatus SpeechVoice::Status() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->status;
}

void SpeechVoice::Pause()
{
    std::lock_guard lock(m_state->mutex);
    m_state->paused = true;
}

void SpeechVoice::Resume()
{
    std::lock_guard lock(m_state->mutex);
    m_state->paused = false;
    m_state->changed.notify_all();
}

bool SpeechVoice::WaitUntilDone(int msecs)
{
    std::unique_lock lock(m_state->mutex);
    const auto done = [this] { return m_state->pendingJobs == 0; };
    if (msecs < 0) {
        m_state->changed.wait(lock, done);
        return true;
    }
    return m_state->changed.wait_for(lock, std::chrono::milliseconds(msecs), done);
}
