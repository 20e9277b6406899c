#include "recording/speech/espeak_engine.h"

#include "recording/speech/program_speech.h"
#include "recording/speech/stress_phoneme_input.h"
#include "recording/speech/stressed_pronunciation.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The synthesiser hands over sound in pieces of this length; purge and
// pause take effect between pieces.
constexpr int kChunkMsecs = 100;
constexpr int kNormalRate = espeakRATE_NORMAL;
constexpr int kSlowestRate = espeakRATE_MINIMUM;

// Rate -10..10 spans a third to three times the voice's normal speed.
int espeakRate(int rate)
{
    return std::max(kSlowestRate, int(std::lround(kNormalRate * std::pow(3.0, rate / 10.0))));
}
int espeakPitch(int pitch)
{
    return std::clamp(50 + 5 * pitch, 0, 100);
}

bool isSentenceEnd(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == QChar(0x2026);
}
bool closesSentence(QChar c)
{
    return isSentenceEnd(c) || c == u'"' || c == u')' || c == QChar(0xBB) || c == QChar(0x201D);
}

// Where the sentence that starts at `start` ends (after its closing marks).
int sentenceEnd(const QString &text, int start)
{
    int i = start;
    while (i < text.size() && !isSentenceEnd(text.at(i)))
        ++i;
    while (i < text.size() && closesSentence(text.at(i)))
        ++i;
    return i;
}

// The voices espeak-ng lists for `filter` (null: every language's voice).
QList<EngineVoice> listedEngineVoices(espeak_VOICE *filter)
{
    QList<EngineVoice> voices;
    const espeak_VOICE **list = espeak_ListVoices(filter);
    for (int i = 0; list && list[i]; ++i) {
        const espeak_VOICE *v = list[i];
        // languages: a priority byte, then the language name
        const QString language = v->languages && v->languages[0] ? QString::fromUtf8(v->languages + 1) : QString();
        voices.append({QString::fromUtf8(v->name), QString::fromUtf8(v->identifier), language});
    }
    return voices;
}

// Stressed words remembered per voice before the memory starts afresh.
constexpr int kMaxStressedWords = 50000;

// The voice's phonemes for a single word, '|' between them; nothing when the
// voice reads it as more than one word.
QStringList wordPhonemes(const QString &word)
{
    const QByteArray utf8 = word.toUtf8();
    const void *text = utf8.constData();
    const char *phonemes = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, '|' << 8);
    const QString result = QString::fromUtf8(phonemes ? phonemes : "").trimmed();
    if (text || result.contains(u' '))
        return {};
    return result.split(u'|', Qt::SkipEmptyParts);
}

// Collects what the synthesiser pronounces while it lives.
class PhonemeTrace
{
public:
    explicit PhonemeTrace(std::shared_ptr<QString> target) : m_target(std::move(target))
    {
        if (m_target && (m_stream = open_memstream(&m_buffer, &m_size)))
            espeak_SetPhonemeTrace(espeakPHONEMES_SHOW, m_stream);
    }
    ~PhonemeTrace()
    {
        if (!m_stream)
            return;
        espeak_SetPhonemeTrace(0, nullptr);
        std::fclose(m_stream);
        // The segments of a job with role voices add up.
        *m_target += QString::fromUtf8(m_buffer, qsizetype(m_size));
        std::free(m_buffer);
    }
    PhonemeTrace(const PhonemeTrace &) = delete;
    PhonemeTrace &operator=(const PhonemeTrace &) = delete;

private:
    std::shared_ptr<QString> m_target;
    FILE *m_stream = nullptr;
    char *m_buffer = nullptr;
    size_t m_size = 0;
};

// A piece that ends inside a sentence (a tag in its middle) must not get the
// pause of a sentence end.
bool endsClause(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return true;
    const QChar last = trimmed.back();
    return closesSentence(last) || last == u',' || last == u';' || last == u':' || last == u'-';
}

} // namespace

struct EspeakEngine::Run
{
    struct PendingEvent
    {
        qint64 atByte;
        bool sentence;
        int position;
        int length;
    };

    Run(SpeechJob &job, int bytesPerSample) : job(job), bytesPerSample(bytesPerSample) { }

    SpeechJob &job;
    int bytesPerSample;
    qint64 writtenBytes = 0;
    qint64 pieceStartBytes = 0;
    const SpeechPiece *piece = nullptr;
    QList<int> utf16Index; // code point index of the piece -> QChar index, one past the end too
    std::deque<PendingEvent> events;

    bool cancelled() const { return job.state->generation != job.generation; }

    // Holds the thread (and with it the growth of the output) while paused.
    void waitWhilePaused()
    {
        std::unique_lock lock(job.state->mutex);
        job.state->changed.wait(lock, [this] { return !job.state->paused || cancelled(); });
    }

    void write(const char *pcm, qint64 bytes)
    {
        waitWhilePaused();
        if (cancelled())
            return;
        job.sink->write(pcm, bytes);
        writtenBytes += bytes;
        if (job.timeline)
            job.timeline->advance(bytes);
        applyHeard(job.sink->heardBytes(writtenBytes));
    }

    int source(int index) const { return piece->sourcePos.at(std::clamp(index, 0, int(piece->sourcePos.size()) - 1)); }
    int pieceIndex(int codePoint) const { return utf16Index.at(std::clamp(codePoint, 0, int(utf16Index.size()) - 1)); }

    void addEvent(const espeak_EVENT &event)
    {
        const bool sentence = event.type == espeakEVENT_SENTENCE;
        // A word of no length marks a clause end, not a word to show.
        const bool word = event.type == espeakEVENT_WORD && event.length > 0;
        if (!sentence && !word)
            return;
        const int start = pieceIndex(event.text_position - 1);
        const int end = sentence ? sentenceEnd(piece->text, start) : pieceIndex(event.text_position - 1 + event.length);
        events.push_back({pieceStartBytes + qint64(event.sample) * bytesPerSample, sentence, source(start),
                          source(end) - source(start)});
        if (word && job.timeline)
            job.timeline->noteWord(events.back().position, events.back().length, events.back().atByte - writtenBytes);
    }

    void applyHeard(qint64 heard)
    {
        if (events.empty() || events.front().atByte > heard)
            return;
        std::lock_guard lock(job.state->mutex);
        while (!events.empty() && events.front().atByte <= heard) {
            const PendingEvent &e = events.front();
            SpeechStatus &status = job.state->status;
            if (e.sentence) {
                status.inputSentencePosition = e.position;
                status.inputSentenceLength = e.length;
            } else {
                status.inputWordPosition = e.position;
                status.inputWordLength = e.length;
            }
            events.pop_front();
        }
    }
};

namespace {

thread_local EspeakEngine::Run *g_run = nullptr;

// The sink of a segment that more of its job follows: the job's sound goes
// on, so the segment neither ends the utterance nor waits for it to be heard
// (speaking aloud, the wait would leave a gap between the voices).
class ContinuingSink : public SpeechSink
{
public:
    explicit ContinuingSink(std::shared_ptr<SpeechSink> sink) : m_sink(std::move(sink)) { }
    void write(const char *pcm, qint64 bytes) override { m_sink->write(pcm, bytes); }
    void hold(bool on) override { m_sink->hold(on); }
    void flush() override { m_sink->flush(); }

private:
    std::shared_ptr<SpeechSink> m_sink;
};

int synthCallback(short *wav, int samples, espeak_EVENT *events)
{
    EspeakEngine::Run *run = g_run;
    if (!run)
        return 0;
    for (espeak_EVENT *e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e)
        run->addEvent(*e);
    if (wav && samples > 0)
        run->write(reinterpret_cast<const char *>(wav), qint64(samples) * run->bytesPerSample);
    return run->cancelled() ? 1 : 0;
}

} // namespace

EspeakEngine &EspeakEngine::instance()
{
    static EspeakEngine engine;
    return engine;
}

EspeakEngine::EspeakEngine()
{
    m_worker = std::thread([this] { workerLoop(); });
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_ready; });
}

EspeakEngine::~EspeakEngine()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        for (SpeechJob &job : m_queue)
            job.state->generation++;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void EspeakEngine::initialise()
{
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kChunkMsecs, nullptr, espeakINITIALIZE_DONT_EXIT);
    QList<EngineVoice> voices;
    QList<EngineVoice> variants;
    if (rate > 0) {
        m_format.sampleRate = rate;
        espeak_SetSynthCallback(synthCallback);
        voices = listedEngineVoices(nullptr);
        espeak_VOICE variantSpec{};
        variantSpec.languages = "variant";
        variants = listedEngineVoices(&variantSpec);
        // The program is made for Russian books: Russian voices come first,
        // so the first voice of the list (the default "Номер движка" 0) reads
        // them as a new user expects.
        std::stable_partition(voices.begin(), voices.end(), [](const EngineVoice &voice) {
            return voice.language.startsWith(QLatin1String("ru"), Qt::CaseInsensitive);
        });
    }
    std::lock_guard lock(m_mutex);
    m_voices = voices;
    m_variants = variants;
    m_ready = true;
    m_wake.notify_all();
}

void EspeakEngine::workerLoop()
{
    initialise();
    for (;;) {
        SpeechJob job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping && m_queue.empty())
                break;
            job = std::move(m_queue.front());
            m_queue.pop_front();
        }
        if (job.state->generation == job.generation && !job.segments.isEmpty())
            runSegments(job);
        else if (job.state->generation == job.generation && job.program)
            speakThroughProgram(job, m_format);
        else if (job.state->generation == job.generation && !m_voices.isEmpty())
            runJob(job);
        std::lock_guard lock(job.state->mutex);
        if (--job.state->pendingJobs == 0)
            job.state->status.runningState = SpeechStatus::Done;
        job.state->changed.notify_all();
    }
    if (!m_voices.isEmpty())
        espeak_Terminate();
}

void EspeakEngine::enqueue(SpeechJob job)
{
    {
        std::lock_guard lock(job.state->mutex);
        job.state->pendingJobs++;
        job.state->status.runningState = SpeechStatus::IsSpeaking;
    }
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(job));
    }
    m_wake.notify_all();
}

void EspeakEngine::runSegments(SpeechJob &job)
{
    {
        std::lock_guard lock(job.state->mutex);
        job.state->failure.clear();
    }
    for (int i = 0; i < job.segments.size(); ++i) {
        if (job.state->generation != job.generation)
            return;
        const SpeechSegment &segment = job.segments.at(i);
        const bool last = i == job.segments.size() - 1;
        SpeechJob part;
        part.state = job.state;
        part.generation = job.generation;
        part.pieces = segment.pieces;
        part.voiceIdentifier = segment.voiceIdentifier;
        part.program = segment.program;
        part.volume = job.volume;
        part.sink = last ? job.sink : std::make_shared<ContinuingSink>(job.sink);
        part.phonemeTrace = job.phonemeTrace;
        part.continuesJob = i > 0;
        part.timeline = job.timeline;
        if (part.program)
            speakThroughProgram(part, m_format);
        else if (!m_voices.isEmpty())
            runJob(part);
        std::lock_guard lock(job.state->mutex);
        if (!job.state->failure.isEmpty())
            return;
    }
}

void EspeakEngine::runJob(SpeechJob &job)
{
    if (!job.continuesJob) {
        std::lock_guard lock(job.state->mutex);
        job.state->status = SpeechStatus{SpeechStatus::IsSpeaking, 0, 0, 0, 0};
    }
    Run run(job, m_format.channels * m_format.bitsPerSample / 8);
    g_run = &run;
    selectVoice(job.voiceIdentifier);
    const PhonemeTrace trace(job.phonemeTrace);
    espeak_SetParameter(espeakVOLUME, std::clamp(job.volume, 0, 100), 0);
    const qint64 chunkBytes = qint64(m_format.bytesPerSecond()) * kChunkMsecs / 1000;
    const QByteArray silence(chunkBytes, '\0');
    for (int p = 0; p < job.pieces.size() && !run.cancelled(); ++p) {
        const SpeechPiece &given = job.pieces.at(p);
        if (given.kind == SpeechPiece::Silence) {
            qint64 left =
                qint64(m_format.bytesPerSecond()) * given.msec / 1000 / run.bytesPerSample * run.bytesPerSample;
            while (left > 0 && !run.cancelled()) {
                const qint64 n = std::min(left, chunkBytes);
                run.write(silence.constData(), n);
                left -= n;
            }
            continue;
        }
        SpeechPiece piece = given;
        const bool phonemeInput = writeStressAsPhonemes(
            piece, [this](const QString &word, const QList<int> &vowels) { return stressedWord(word, vowels); });
        run.piece = &piece;
        run.pieceStartBytes = run.writtenBytes;
        std::wstring text;
        run.utf16Index.clear();
        for (int i = 0; i < piece.text.size(); ++i) {
            run.utf16Index.append(i);
            if (piece.text.at(i).isHighSurrogate() && i + 1 < piece.text.size()) {
                text.push_back(wchar_t(QChar::surrogateToUcs4(piece.text.at(i), piece.text.at(i + 1))));
                ++i;
            } else {
                text.push_back(wchar_t(piece.text.at(i).unicode()));
            }
        }
        run.utf16Index.append(int(piece.text.size()));
        espeak_SetParameter(espeakRATE, espeakRate(piece.rate), 0);
        espeak_SetParameter(espeakPITCH, espeakPitch(piece.pitch), 0);
        const bool last = p == job.pieces.size() - 1;
        const unsigned flags = espeakCHARS_WCHAR | (last || endsClause(given.text) ? espeakENDPAUSE : 0)
                               | (phonemeInput ? espeakPHONEMES : 0);
        espeak_Synth(text.c_str(), (text.size() + 1) * sizeof(wchar_t), 0, POS_CHARACTER, 0, flags, nullptr, nullptr);
    }
    if (!run.cancelled()) {
        // Speaking aloud: the last words are still to be heard. A pause
        // holds the sink, and with it this wait.
        job.sink->finish();
        while (!run.cancelled()) {
            const qint64 heard = job.sink->heardBytes(run.writtenBytes);
            if (heard >= run.writtenBytes)
                break;
            run.applyHeard(heard);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    if (run.cancelled())
        job.sink->flush();
    else
        run.applyHeard(run.writtenBytes);
    g_run = nullptr;
}

void EspeakEngine::selectVoice(const QString &identifier)
{
    if (identifier == m_currentVoice)
        return;
    espeak_SetVoiceByName(identifier.toUtf8().constData());
    const auto language = [](const QString &voice) { return voice.section(u'+', 0, 0); };
    if (language(identifier) != language(m_currentVoice))
        m_stressedWords.clear();
    m_currentVoice = identifier;
}

QString EspeakEngine::stressedWord(const QString &word, const QList<int> &stressedVowels)
{
    QString key = word.toLower();
    for (int vowel : stressedVowels)
        key += QStringLiteral("+%1").arg(vowel);
    const auto known = m_stressedWords.constFind(key);
    if (known != m_stressedWords.constEnd())
        return *known;
    if (m_stressedWords.size() >= kMaxStressedWords)
        m_stressedWords.clear();
    const QString phonemes = stressedPronunciation(word, stressedVowels, wordPhonemes);
    m_stressedWords.insert(key, phonemes);
    return phonemes;
}
