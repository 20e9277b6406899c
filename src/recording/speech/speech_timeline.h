#pragma once
// When each word of a text was spoken, as the voice wrote its sound: the
// engine's word positions (or, for a speech program, each stretch it was
// given) with the place in the sound where they begin. The recording keeps
// one per block and makes the read-along text of it, so the times come from
// the very sound of the block, not from a second reading.

#include <QList>
#include <QtGlobal>

#include <mutex>

struct TimedSpan
{
    enum Kind { Word, Stretch };
    Kind kind = Word;
    // In the text given to Speak, as the voice's status counts it.
    int position = 0;
    int length = 0;
    double seconds = 0;         // where its sound begins
    double durationSeconds = 0; // a stretch's sound; 0 for a word
};

class SpeechTimeline
{
public:
    explicit SpeechTimeline(int bytesPerSecond) : m_bytesPerSecond(bytesPerSecond) { }

    // Sound written to the block (on the synthesis thread).
    void advance(qint64 bytes);
    // A word whose sound begins `offsetBytes` after the sound written so far
    // (the engine tells a word before or after handing over its sound).
    void noteWord(int position, int length, qint64 offsetBytes);
    // A stretch of a speech program whose sound, `soundBytes` long, is
    // written next.
    void noteStretch(int position, int length, qint64 soundBytes);

    QList<TimedSpan> spans() const;
    double seconds() const;

private:
    double secondsOf(qint64 bytes) const;

    mutable std::mutex m_mutex;
    int m_bytesPerSecond = 0;
    qint64 m_bytes = 0;
    QList<TimedSpan> m_spans;
};
