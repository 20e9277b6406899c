#pragma once
// The file stream a voice speaks into: a 16-bit mono PCM WAV file whose
// header follows the sound as it is written, so the file is a complete WAV
// at every moment and its size grows while a block is spoken (the recording
// driver measures progress by that size).

#include "recording/speech/speech_sink.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <mutex>

struct PcmFormat
{
    int sampleRate = 22050;
    int channels = 1;
    int bitsPerSample = 16;
    int bytesPerSecond() const { return sampleRate * channels * bitsPerSample / 8; }
};

// The 44-byte header of a PCM WAV holding `dataBytes` of sound.
QByteArray wavHeader(const PcmFormat &format, quint32 dataBytes);

class WavFileStream : public SpeechSink
{
public:
    // The most sound a WAV header can state (its sizes are 32-bit).
    static constexpr quint64 kMaxDataBytes = 0xFFFFFFFFull - 36;

    explicit WavFileStream(PcmFormat format = {}, quint64 maxDataBytes = kMaxDataBytes)
        : m_format(format), m_maxDataBytes(maxDataBytes)
    { }
    ~WavFileStream() override { close(); }

    const PcmFormat &format() const { return m_format; }
    // Creates (or empties) the file and writes a header for no sound yet.
    bool open(const QString &path);
    // Appends sound, then states the new length in the header.
    bool append(const QByteArray &pcm);
    bool append(const char *pcm, qint64 bytes);
    void write(const char *pcm, qint64 bytes) override { append(pcm, bytes); }
    // Writes the final header; false when any write since open failed (a
    // full disk) or the sound went beyond what the header can state, so the
    // file does not hold all the sound it was given. Sound past that limit
    // is never written: a header must not lie about its file.
    bool close();
    bool isOpen() const;
    qint64 dataBytes() const;

private:
    bool updateHeader();

    PcmFormat m_format;
    quint64 m_maxDataBytes;
    mutable std::mutex m_mutex;
    QFile m_file;
    quint32 m_dataBytes = 0;
    bool m_writeFailed = false;
    QElapsedTimer m_headerTimer;
};
