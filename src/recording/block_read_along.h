#pragma once
// The read-along text of one recorded block: an LRC file beside the block's
// audio with the sentences (and words) of what the voice said and the times
// they were heard, from the timeline kept while the block was spoken.

#include "recording/speech/speech_timeline.h"

#include <QString>

// The file beside an audio file of this name: "Глава 1.mp3" → "Глава 1.lrc".
QString readAlongPathFor(const QString &audioPath, const QString &suffix = QStringLiteral("lrc"));

struct SpokenBlock
{
    QString text;    // as given to Speak
    bool xml = true; // SAPI XML, else plain text with the plain voices' tags
    bool speechProgram = false;
};

// Writes the LRC beside `wavPath`; false when it could not be written.
bool writeBlockReadAlong(const QString &wavPath, const SpokenBlock &block, const SpeechTimeline &timeline, bool words);

// Gives the LRC written beside a block's WAV the name of its MP3, when the
// MP3 takes its final name (which holds the length, unknown before).
void moveReadAlongToAudio(const QString &wavPath, const QString &mp3Path);
