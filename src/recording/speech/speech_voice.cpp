#include "recording/speech/speech_voice.h"

#include "recording/speech/audio_device_sink.h"

#include <chrono>

namespace {

EspeakEngine &engine()
{
    return EspeakEngine::instance();
}

// Takes sound that nobody listens to.
class SilentSink : public SpeechSink
{
public:
    void write(const char *, qint64) override { }
};

} // namespace

SpeechVoice::SpeechVoice() : m_state(std::make_shared<SpeechState>()) { }

SpeechVoice::~SpeechVoice()
{
    purge();
}

QList<VoiceToken> SpeechVoice::voices()
{
    QList<VoiceToken> tokens;
    for (const EngineVoice &voice : engine().voices()) {
        const MarkupKind kind =
            voice.description.contains(QStringLiteral("Cube")) ? MarkupKind::PlainText : MarkupKind::SapiXml;
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
        m_device = std::make_shared<AudioDeviceSink>(format());
    return m_device;
}

void SpeechVoice::purge()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->generation++;
        m_state->paused = false;
        m_state->changed.notify_all();
    }
    // Not left to the synthesis thread: it may be waiting for room in the
    // device's buffer, and what is buffered would play on meanwhile.
    if (m_speaking)
        m_speaking->flush();
}

SpeechJob SpeechVoice::job(const QString &text, int flags) const
{
    const QList<EngineVoice> &voices = engine().voices();
    SpeechJob job;
    job.pieces = (flags & SVSFIsNotXML) ? plainTextPieces(text) : parseSapiXml(text);
    job.voiceIdentifier = m_voice < voices.size() ? voices.at(m_voice).identifier : QString();
    job.volume = m_volume;
    return job;
}

void SpeechVoice::speak(const QString &text, int flags)
{
    if (flags & SVSFPurgeBeforeSpeak)
        purge();
    SpeechJob speech = job(text, flags);
    speech.state = m_state;
    speech.generation = m_state->generation;
    speech.sink = output();
    m_speaking = speech.sink;
    engine().enqueue(std::move(speech));
    if (!(flags & SVSFlagsAsync))
        waitUntilDone(-1);
}

QString SpeechVoice::phonemes(const QString &text, int flags) const
{
    // A state of its own: the voice's speaking and status stay untouched.
    SpeechJob trial = job(text, flags);
    const auto state = std::make_shared<SpeechState>();
    const auto phonemes = std::make_shared<QString>();
    trial.state = state;
    trial.sink = std::make_shared<SilentSink>();
    trial.phonemeTrace = phonemes;
    engine().enqueue(std::move(trial));
    std::unique_lock lock(state->mutex);
    state->changed.wait(lock, [&] { return state->pendingJobs == 0; });
    return *phonemes;
}

SpeechStatus SpeechVoice::status() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->status;
}

void SpeechVoice::pause()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->paused = true;
    }
    // The synthesis thread holds on its next write; what is already
    // buffered for the device must not play out meanwhile.
    if (m_speaking)
        m_speaking->hold(true);
}

void SpeechVoice::resume()
{
    if (m_speaking)
        m_speaking->hold(false);
    std::lock_guard lock(m_state->mutex);
    m_state->paused = false;
    m_state->changed.notify_all();
}

bool SpeechVoice::waitUntilDone(int msecs)
{
    std::unique_lock lock(m_state->mutex);
    const auto done = [this] { return m_state->pendingJobs == 0; };
    if (msecs < 0) {
        m_state->changed.wait(lock, done);
        return true;
    }
    return m_state->changed.wait_for(lock, std::chrono::milliseconds(msecs), done);
}

bool SpeechVoice::soundLost() const
{
    return m_device && m_device->isLost();
}
