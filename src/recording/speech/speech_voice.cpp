#include "recording/speech/speech_voice.h"

#include "recording/speech/audio_device_sink.h"
#include "recording/speech/cube_markup.h"
#include "recording/speech/program_speech.h"

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

// The speech program of voice `index`, or nothing for an engine voice.
const SpeechProgramDefinition *programOfVoice(int index)
{
    const int program = index - int(engine().voices().size());
    const QList<SpeechProgramDefinition> &programs = installedSpeechPrograms();
    return program >= 0 && program < programs.size() ? &programs.at(program) : nullptr;
}

// SAPI XML for a speech program (the dictionaries' trial): its silences
// count, its rates and pitches are in the engine's steps, which mean
// nothing to a program, so it speaks at its normal rate and pitch. A lone
// full stop (what a purge speaks) is dropped: it would cost a program run.
QList<SpeechPiece> programPieces(const QList<SpeechPiece> &pieces)
{
    QList<SpeechPiece> spoken;
    for (SpeechPiece piece : pieces) {
        if (piece.kind == SpeechPiece::Text && !hasSpeakableCharacter(piece.text))
            continue;
        piece.rate = piece.pitch = 100;
        spoken.append(piece);
    }
    return spoken;
}

} // namespace

SpeechVoice::SpeechVoice() : m_state(std::make_shared<SpeechState>()) { }

SpeechVoice::~SpeechVoice()
{
    purge();
}

QList<VoiceToken> SpeechVoice::voices()
{
    QList<VoiceToken> tokens;
    for (const EngineVoice &voice : engine().voices())
        tokens.append({voice.description, voice.language, markupKindOf(voice.description)});
    for (const SpeechProgramDefinition &program : installedSpeechPrograms())
        tokens.append({program.name, QString(), MarkupKind::PlainText, true});
    return tokens;
}

MarkupKind SpeechVoice::markupKindOf(const QString &description)
{
    // Speech programs and the voices of the old outside engine take plain
    // text with control tags.
    for (const SpeechProgramDefinition &program : installedSpeechPrograms())
        if (program.name == description)
            return MarkupKind::PlainText;
    return description.contains(QStringLiteral("Cube")) ? MarkupKind::PlainText : MarkupKind::SapiXml;
}

QString SpeechVoice::voiceProblem(int index)
{
    const SpeechProgramDefinition *program = programOfVoice(index);
    return program ? speechProgramProblem(*program) : QString();
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
    if (index < 0 || index >= engine().voices().size() + installedSpeechPrograms().size())
        return false;
    m_voice = index;
    const SpeechProgramDefinition *program = programOfVoice(index);
    m_program = program ? std::make_shared<const SpeechProgramDefinition>(*program) : nullptr;
    return true;
}

void SpeechVoice::selectProgram(const SpeechProgramDefinition &program)
{
    m_program = std::make_shared<const SpeechProgramDefinition>(program);
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
    if (m_program) {
        job.program = m_program;
        job.pieces = (flags & SVSFIsNotXML) ? parseCubeMarkup(text) : programPieces(parseSapiXml(text));
    } else {
        job.pieces = (flags & SVSFIsNotXML) ? plainTextPieces(text) : parseSapiXml(text);
    }
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
    // A speech program keeps its pronunciation to itself.
    if (m_program)
        return QString();
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

QString SpeechVoice::failure() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->failure;
}

bool SpeechVoice::soundLost() const
{
    return m_device && m_device->isLost();
}
