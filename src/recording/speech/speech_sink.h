#pragma once
// Where a voice's sound goes: a WAV file, memory, or the audio device.

#include <QtGlobal>

class SpeechSink
{
public:
    virtual ~SpeechSink() = default;
    // Takes 16-bit mono samples; may block (a device plays in real time).
    virtual void write(const char *pcm, qint64 bytes) = 0;
    // How many of the `written` bytes have been heard; a sink that is not
    // listened to has "heard" all it was given.
    virtual qint64 heardBytes(qint64 written) const { return written; }
    // Waits until everything written has been heard (or dropped by `stop`).
    virtual void drain() {}
    // Drops what is buffered and not yet heard.
    virtual void flush() {}
};
