#pragma once
// The one synthesis thread over libespeak-ng. The library keeps its state in
// globals, so every call into it (start-up, voice list, voice choice,
// parameters, synthesis) happens on this thread; voices hand it jobs.

#include "recording/speech/sapi_markup.h"
#include "recording/speech/speech_program_definition.h"
#include "recording/speech/speech_sink.h"
#include "recording/speech/speech_status.h"
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
};

class EspeakEngine
{
public:
    static EspeakEngine &instance();
    ~EspeakEngine();

    // Empty when the voice data could not be loaded.
    const QList<EngineVoice> &voices() const { return m_voices; }
    const PcmFormat &format() const { return m_format; }

    void enqueue(SpeechJob job);

    // Used by the synthesis callback, on the synthesis thread only.
    struct Run;

private:
    EspeakEngine();
    void workerLoop();
    void initialise();
    void runJob(SpeechJob &job);
    void selectVoice(const QString &identifier);
    QString stressedWord(const QString &word, const QList<int> &stressedVowels);

    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<SpeechJob> m_queue;
    bool m_stopping = false;
    bool m_ready = false;
    QList<EngineVoice> m_voices;
    PcmFormat m_format;
    QString m_currentVoice;
    // Phonemes of the stressed words of the current voice: books repeat them.
    QHash<QString, QString> m_stressedWords;
};
