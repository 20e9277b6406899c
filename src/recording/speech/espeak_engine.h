#pragma once
// The one synthesis thread over libespeak-ng. The library keeps its state in
// globals, so every call into it (start-up, voice list, voice choice,
// parameters, synthesis) happens on this thread; voices hand it jobs.

#include "recording/speech/sapi_markup.h"
#include "recording/speech/speech_program_definition.h"
#include "recording/speech/speech_sink.h"
#include "recording/speech/speech_status.h"
#include "recording/speech/speech_timeline.h"
#include "recording/speech/wav_file_stream.h"

#include <QHash>
#include <QList>
#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

struct EngineVoice
{
    QString description; // the readable name, e.g. "Russian"
    QString identifier;  // the file name in the voice data, e.g. "zle/ru"
    QString language;    // e.g. "ru"
};

// A stretch of a job that one voice speaks: an espeak-ng voice
// ("zle/ru+m3", a variant after the "+") or a speech program.
struct SpeechSegment
{
    QList<SpeechPiece> pieces;
    QString voiceIdentifier;
    std::shared_ptr<const SpeechProgramDefinition> program;
};

struct SpeechJob
{
    std::shared_ptr<SpeechState> state;
    quint64 generation = 0;
    QList<SpeechPiece> pieces;
    QString voiceIdentifier;
    int volume = 100; // 0..100
    std::shared_ptr<SpeechSink> sink;
    // When set, the phonemes the synthesiser pronounces are written here, a
    // line per clause.
    std::shared_ptr<QString> phonemeTrace;
    // Set for a voice that is a speech program: the program speaks the
    // pieces, on the same thread, so voices still speak one at a time.
    std::shared_ptr<const SpeechProgramDefinition> program;
    // Set when roles of the text have voices of their own: the segments are
    // spoken one after another, each by its voice, in place of `pieces`.
    QList<SpeechSegment> segments;
    // A segment after the first: the status goes on from the one before.
    bool continuesJob = false;
    // When set, where each word's sound begins is noted here.
    std::shared_ptr<SpeechTimeline> timeline;
};

class EspeakEngine
{
public:
    static EspeakEngine &instance();
    ~EspeakEngine();

    // Empty when the voice data could not be loaded.
    const QList<EngineVoice> &voices() const { return m_voices; }
    // The variants a voice can be spoken with ("male3", "!v/m3"; the name
    // after "!v/" follows a "+" in a voice identifier).
    const QList<EngineVoice> &variants() const { return m_variants; }
    const PcmFormat &format() const { return m_format; }

    void enqueue(SpeechJob job);

    // Used by the synthesis callback, on the synthesis thread only.
    struct Run;

private:
    EspeakEngine();
    void workerLoop();
    void initialise();
    void runJob(SpeechJob &job);
    void runSegments(SpeechJob &job);
    void selectVoice(const QString &identifier);
    QString stressedWord(const QString &word, const QList<int> &stressedVowels);

    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<SpeechJob> m_queue;
    bool m_stopping = false;
    bool m_ready = false;
    QList<EngineVoice> m_voices;
    QList<EngineVoice> m_variants;
    PcmFormat m_format;
    QString m_currentVoice;
    // Phonemes of the stressed words of the current voice (a variant speaks
    // the words of its voice): books repeat them.
    QHash<QString, QString> m_stressedWords;
};
