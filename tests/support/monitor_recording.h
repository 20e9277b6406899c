#pragma once
// What the sound server's default device plays, recorded from its monitor
// by parec into a file while the test goes on, and how loud it is.

#include "recording/speech/wav_file_stream.h"

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>

class MonitorRecording
{
public:
    // Starts recording in `format`; isRecording() tells whether it did.
    explicit MonitorRecording(const PcmFormat &format);
    ~MonitorRecording();
    MonitorRecording(const MonitorRecording &) = delete;
    MonitorRecording &operator=(const MonitorRecording &) = delete;

    bool isRecording() const { return m_recording; }
    // Bytes recorded so far: a mark to take the sound from later.
    qint64 size() const;
    // The sound recorded from `mark` on.
    QByteArray since(qint64 mark) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QProcess m_parec;
    bool m_recording = false;
};

// Where the sound is louder than a whisper, in samples of 16-bit mono PCM.
struct Loudness
{
    int peak = 0;      // the largest absolute sample
    qint64 first = -1; // the first loud sample; -1 when none is
    qint64 last = -1;  // the last loud sample
    qint64 span() const { return first < 0 ? 0 : last - first + 1; }
};
Loudness loudness(const QByteArray &pcm);
