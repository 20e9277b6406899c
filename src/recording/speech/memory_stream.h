#pragma once
// A voice's sound kept in memory, to be written into a file stream later.

#include "recording/speech/speech_sink.h"

#include <QByteArray>

#include <mutex>

class SpeechMemoryStream : public SpeechSink
{
public:
    void write(const char *pcm, qint64 bytes) override
    {
        std::lock_guard lock(m_mutex);
        m_data.append(pcm, bytes);
    }
    QByteArray data() const
    {
        std::lock_guard lock(m_mutex);
        return m_data;
    }
    void setData(const QByteArray &data)
    {
        std::lock_guard lock(m_mutex);
        m_data = data;
    }

private:
    mutable std::mutex m_mutex;
    QByteArray m_data;
};
