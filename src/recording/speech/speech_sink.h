#pragma once
// Where a voice's sound goes: a WAV file, memory, or the audio device.

#include <QtGlobal>

class SpeechSink
{
public:
    virtual ~SpeechSink() = default;
    // Takes 16-bit mono samples; may block (a device plays in real time).
    virtual void write(const char *pcm, qint64 bytes) = 0;
    // How many of the `written` bytes of the utterance have been heard; a
    // sink that is not listened to has "heard" all it was given.
    virtual qint64 heardBytes(qint64 written) const { return written; }
    // The utterance is written: whatever waits for more sound is played, so
    // that heardBytes comes to what was written.
    virtual void finish() { }
    // Any thread: holds or continues what is heard, at once.
    virtual void hold(bool) { }
    // Any thread: drops what is not yet heard, at once.
    virtual void flush() { }
};
