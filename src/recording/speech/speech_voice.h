#pragma once
// A speech voice with the operations the program uses: the voice list,
// choosing a voice, volume, asynchronous Speak with flags, the status with
// sentence and word positions, pause, resume and waiting. Its sound goes to
// a WAV file stream, a memory stream or, when none is set, the audio device.

#include "recording/speech/espeak_engine.h"
#include "recording/speech/markup_kind.h"

#include <QString>
#include <QStringList>

#include <memory>

class AudioDeviceSink;

enum SpeechFlags {
    SVSFlagsAsync = 1,
    SVSFPurgeBeforeSpeak = 2,
    SVSFIsXML = 8,
    SVSFIsNotXML = 16,
};

struct VoiceToken
{
    QString description; // the engine's name ("Russian"), the key of "Voice.ini"
    QString language;    // "ru", "ru-lv"; empty for a speech program
    MarkupKind kind = MarkupKind::SapiXml;
    bool speechProgram = false; // a program of "SpeechPrograms.ini"
};

class SpeechVoice
{
public:
    SpeechVoice();
    ~SpeechVoice();
    SpeechVoice(const SpeechVoice &) = delete;
    SpeechVoice &operator=(const SpeechVoice &) = delete;

    // Every voice, in the order the index refers to: espeak-ng's voices, then
    // the speech programs of "SpeechPrograms.ini" that are switched on.
    static QList<VoiceToken> voices();
    // The variants an espeak-ng voice can be spoken with (role voices).
    static QList<EngineVoice> variants();
    // The markup the voice of this description takes.
    static MarkupKind markupKindOf(const QString &description);
    // Why voice `index` cannot speak (its speech program is missing), in
    // words for the user; empty when it can.
    static QString voiceProblem(int index);
    // The first voice for `language` ("ru"), or -1.
    static int voiceForLanguage(const QString &language);

    // False (and the voice unchanged) for an index outside the list.
    bool selectVoice(int index);
    int voiceIndex() const { return m_voice; }
    // Speaks through this program from now on (the options window tries a
    // definition before it is saved).
    void selectProgram(const SpeechProgramDefinition &program);
    // A speech program tells where in the text it is only stretch by
    // stretch, never word by word.
    bool reportsWordPositions() const { return !m_program; }
    void setVolume(int volume) { m_volume = volume; }
    int volume() const { return m_volume; }
    const PcmFormat &format() const;

    // Null speaks aloud.
    void setAudioOutputStream(std::shared_ptr<SpeechSink> stream);
    // Where the words of the next Speak are noted with their times; null
    // notes nothing.
    void setTimeline(std::shared_ptr<SpeechTimeline> timeline) { m_timeline = std::move(timeline); }

    // Flags: SVSFlagsAsync returns at once, SVSFPurgeBeforeSpeak drops what
    // is queued or being spoken first, SVSFIsNotXML speaks the text as it
    // stands (otherwise it is SAPI XML).
    void speak(const QString &text, int flags);
    // What the voice pronounces for `text` (flags as for Speak; the text is
    // not spoken), in espeak-ng's phoneme mnemonics, a line per clause;
    // nothing for a speech program.
    QString phonemes(const QString &text, int flags) const;
    SpeechStatus status() const;
    void pause();
    void resume();
    // True when everything is spoken; a negative wait waits for ever.
    bool waitUntilDone(int msecs);
    // Speaking aloud, the sound server was heard and has gone away: the
    // voice goes on without sound until the server is back.
    bool soundLost() const;
    // Why the last Speak broke off (its speech program failed), with the
    // program's own messages; empty when it went well.
    QString failure() const;

private:
    void purge();
    // The segments of a text whose roles have voices of their own; `xml`:
    // the pieces came from SAPI XML (engine steps), else plain-text tags
    // (per cent).
    QList<SpeechSegment> segmentsOf(const QList<SpeechPiece> &pieces, bool xml) const;
    SpeechJob job(const QString &text, int flags) const;
    std::shared_ptr<SpeechSink> output();

    std::shared_ptr<SpeechState> m_state;
    std::shared_ptr<SpeechSink> m_stream;
    std::shared_ptr<AudioDeviceSink> m_device;
    // Where the last Speak went: pausing and purging act on it at once.
    std::shared_ptr<SpeechSink> m_speaking;
    int m_voice = 0;
    int m_volume = 100;
    // Set when the voice is a speech program.
    std::shared_ptr<const SpeechProgramDefinition> m_program;
    std::shared_ptr<SpeechTimeline> m_timeline;
};
