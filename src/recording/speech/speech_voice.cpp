#include "recording/speech/speech_voice.h"

#include "recording/speech/audio_device_sink.h"
#include "recording/speech/cube_markup.h"
#include "recording/speech/program_speech.h"
#include "recording/speech/role_voices.h"

#include <QHash>

#include <algorithm>
#include <chrono>
#include <cmath>

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

// The engine's rate step -10..10 spans a third to three times the normal
// speed, its pitch step moves a tenth of the normal pitch: a program's per
// cent and the engine's steps say the same thing in two ways.
int ratePercent(int step)
{
    return int(std::lround(100 * std::pow(3.0, step / 10.0)));
}
int pitchPercent(int step)
{
    return 100 + 10 * step;
}
int rateStep(int percent)
{
    return std::clamp(int(std::lround(10 * std::log(std::max(1, percent) / 100.0) / std::log(3.0))), -10, 10);
}
int pitchStep(int percent)
{
    return std::clamp(int(std::lround((percent - 100) / 10.0)), -10, 10);
}

bool hasPieceVoices(const QList<SpeechPiece> &pieces)
{
    return std::any_of(pieces.cbegin(), pieces.cend(), [](const SpeechPiece &piece) { return !piece.voice.isEmpty(); });
}

// Who speaks a segment; equal keys speak as one.
struct SegmentVoice
{
    QString identifier;
    std::shared_ptr<const SpeechProgramDefinition> program;
    QString key() const { return program ? QStringLiteral("program:") + program->name : identifier; }
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
    for (const EngineVoice &voice : engine().voices())
        tokens.append({voice.description, voice.language, markupKindOf(voice.description)});
    for (const SpeechProgramDefinition &program : installedSpeechPrograms())
        tokens.append({program.name, QString(), MarkupKind::PlainText, true});
    return tokens;
}

QList<EngineVoice> SpeechVoice::variants()
{
    return engine().variants();
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

QList<SpeechSegment> SpeechVoice::segmentsOf(const QList<SpeechPiece> &pieces, bool xml) const
{
    const QList<EngineVoice> &engineVoices = engine().voices();
    const QList<VoiceToken> allVoices = voices();
    const QList<EngineVoice> allVariants = variants();
    const SegmentVoice own{m_voice < engineVoices.size() ? engineVoices.at(m_voice).identifier : QString(), m_program};
    // A name the list does not know (a speech program taken out since) is
    // spoken by the voice that was told to speak: nothing goes unsaid.
    QHash<QString, SegmentVoice> known;
    const auto voiceNamed = [&](const QString &name) {
        if (name.isEmpty())
            return own;
        if (const auto found = known.constFind(name); found != known.constEnd())
            return *found;
        SegmentVoice voice = own;
        if (const auto target = findRoleVoice(name, allVoices, allVariants)) {
            if (const SpeechProgramDefinition *program = programOfVoice(target->index))
                voice = {QString(), std::make_shared<const SpeechProgramDefinition>(*program)};
            else if (target->index < engineVoices.size())
                voice = {engineVoices.at(target->index).identifier
                             + (target->variant.isEmpty() ? QString() : u'+' + target->variant),
                         nullptr};
        }
        known.insert(name, voice);
        return voice;
    };
    QList<SpeechSegment> segments;
    QString current;
    for (SpeechPiece piece : pieces) {
        // A silence, or a stretch with nothing to say (a full stop left
        // beside a role's tags), belongs to the voice before it: a switch of
        // voices costs the engine a reload of its dictionary.
        const bool speaks = piece.kind == SpeechPiece::Text && hasSpeakableCharacter(piece.text);
        if (speaks || segments.isEmpty()) {
            const SegmentVoice voice = voiceNamed(piece.voice);
            if (segments.isEmpty() || voice.key() != current) {
                segments.append({{}, voice.identifier, voice.program});
                current = voice.key();
            }
        }
        if (piece.kind == SpeechPiece::Text) {
            const bool program = segments.last().program != nullptr;
            if (program && !hasSpeakableCharacter(piece.text))
                continue;
            // Each voice takes rate and pitch in its own units.
            if (program && xml) {
                piece.rate = ratePercent(piece.rate);
                piece.pitch = pitchPercent(piece.pitch);
            } else if (!program && !xml) {
                piece.rate = rateStep(piece.rate);
                piece.pitch = pitchStep(piece.pitch);
            }
        }
        segments.last().pieces.append(piece);
    }
    return segments;
}

SpeechJob SpeechVoice::job(const QString &text, int flags) const
{
    const QList<EngineVoice> &voices = engine().voices();
    const bool xml = !(flags & SVSFIsNotXML);
    SpeechJob job;
    QList<SpeechPiece> pieces = xml ? parseSapiXml(text) : (m_program ? parseCubeMarkup(text) : plainTextPieces(text));
    if (hasPieceVoices(pieces)) {
        job.segments = segmentsOf(pieces, xml);
    } else if (m_program) {
        job.program = m_program;
        job.pieces = xml ? programPieces(pieces) : pieces;
    } else {
        job.pieces = pieces;
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
    speech.timeline = m_timeline;
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
