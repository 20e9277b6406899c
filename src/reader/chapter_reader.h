#pragma once
// Reading one chapter aloud at a time and telling where the voice is: the
// reader window's link to the speech engine. The engine is given the text the
// window shows with the automatic stresses put in (as the recording would
// say it); the word positions it reports are turned back into positions in
// the view. When the voice's table gives a role a voice of its own, each
// role is read by its voice, as the recording would speak it.

#include "reader/chapter_text.h"
#include "reader/role_speech.h"
#include "recording/speech/speech_voice.h"
#include "stress/spoken_text.h"
#include "stress/text_alignment.h"

#include <QString>

#include <optional>

class ChapterReader
{
public:
    // Where the voice is in the chapter being read.
    struct Progress
    {
        bool finished = false; // the chapter has been read to its end
        int wordStart = 0;     // the word being heard, in the chapter's text
        int wordLength = 0;
        // The sound server went away: reading goes on without sound.
        bool soundLost = false;
        // The voice reports where it is word by word; a speech program
        // does not, and nothing is highlighted then.
        bool wordsReported = true;
        // The voice's speech program failed: why, for the user.
        QString failure;
    };

    bool isReading() const { return m_reading; }
    bool isPaused() const { return m_paused; }

    // Turns reading on with the voice chosen in the settings, after
    // cancelling whatever the engine still has to say.
    void start(int voiceIndex, bool fullVolume, const SpokenTextOptions &spoken = {});
    // While reading: reads a chapter; the one being read is dropped at once.
    void read(const ChapterText &chapter);
    void read(const QString &text) { read(ChapterText{text, {}}); }
    // Holds or continues the voice while reading; does nothing otherwise.
    void togglePause();
    // Silences the voice; reading is off until the next start.
    void stop();

    Progress poll();

private:
    // Where a position the engine reports stands in the chapter's text.
    qsizetype chapterPosition(qsizetype reported) const;

    SpeechVoice m_voice;
    bool m_reading = false;
    bool m_paused = false;
    int m_textLength = 0;
    SpokenTextOptions m_spoken;
    // The chapter as shown against the chapter as spoken.
    TextAlignment m_alignment{QString(), QString()};
    // The chapter as spoken with its roles' voices; none without them.
    std::optional<RoleSpeech> m_roleSpeech;
    // Until the engine starts on a chapter its status still tells about the
    // chapter before; those positions must not colour the new text.
    bool m_started = false;
    SpeechStatus m_before;
};
