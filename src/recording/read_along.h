#pragma once
// Read-along text: the sentences of a spoken block, each with the moment its
// sound begins (and, when asked, each word with its own), written as LRC for
// audio players and SRT for video players. The times come from the voice's
// word positions while the block was recorded (speech_timeline.h); a speech
// program tells only where each stretch of text begins and how long its
// sound is, so the sentences inside a stretch share its time by their length.

#include "recording/speech/sapi_markup.h"
#include "recording/speech/speech_timeline.h"

#include <QList>
#include <QString>

struct ReadAlongWord
{
    double seconds = 0;
    int offset = 0; // where the word begins in its line's text
    QString text;
};

struct ReadAlongLine
{
    double seconds = 0;
    QString text;
    QList<ReadAlongWord> words;
};

// The sentences of the pieces the voice spoke (as it parsed the text given
// to Speak: the spans' positions are positions in that text), without markup
// and stress marks, each timed by the first word of it that was heard.
QList<ReadAlongLine> readAlongLines(const QList<SpeechPiece> &pieces, const QList<TimedSpan> &spans);

// What a player shows about the file.
struct ReadAlongTags
{
    QString title;
    QString artist;
    QString album;
    double lengthSeconds = 0;
};

// "[mm:ss.xx]" lines; with `words` each word has its "<mm:ss.xx>" too.
QString lrcText(const QList<ReadAlongLine> &lines, const ReadAlongTags &tags, bool words);
// Numbered cues, each shown until the next begins (the last until the end).
QString srtText(const QList<ReadAlongLine> &lines, double lengthSeconds);
// "mm:ss.xx"; minutes go past 99 in a long book.
QString lrcTime(double seconds);
// The timed lines of an LRC text (word times kept); tags and other lines are
// skipped.
QList<ReadAlongLine> parseLrc(const QString &text);
// The lines moved `seconds` later (a block's lines in a whole book).
QList<ReadAlongLine> shiftedLines(QList<ReadAlongLine> lines, double seconds);
