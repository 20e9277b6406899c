#include "recording/speech/wav_file_stream.h"

#include <QtEndian>

#include <cstring>

namespace {

void putLe32(char *at, quint32 value)
{
    qToLittleEndian<quint32>(value, at);
}
void putLe16(char *at, quint16 value)
{
    qToLittleEndian<quint16>(value, at);
}

constexpr int kHeaderBytes = 44;
constexpr int kHeaderEveryMsecs = 100;

} // namespace

QByteArray wavHeader(const PcmFormat &format, quint32 dataBytes)
{
    QByteArray header(kHeaderBytes, '\0');
    char *h = header.data();
    memcpy(h, "RIFF", 4);
    putLe32(h + 4, 36 + dataBytes);
    memcpy(h + 8, "WAVEfmt ", 8);
    putLe32(h + 16, 16);
    putLe16(h + 20, 1); // PCM
    putLe16(h + 22, quint16(format.channels));
    putLe32(h + 24, quint32(format.sampleRate));
    putLe32(h + 28, quint32(format.bytesPerSecond()));
    putLe16(h + 32, quint16(format.channels * format.bitsPerSample / 8));
    putLe16(h + 34, quint16(format.bitsPerSample));
    memcpy(h + 36, "data", 4);
    putLe32(h + 40, dataBytes);
    return header;
}

bool WavFileStream::open(const QString &path)
{
    std::lock_guard lock(m_mutex);
    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(path);
    m_dataBytes = 0;
    m_writeFailed = false;
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return false;
    m_headerTimer.invalidate();
    const QByteArray header = wavHeader(m_format, 0);
    return m_file.write(header) == header.size() && m_file.flush();
}

bool WavFileStream::append(const QByteArray &pcm)
{
    return append(pcm.constData(), pcm.size());
}

bool WavFileStream::append(const char *pcm, qint64 bytes)
{
    std::lock_guard lock(m_mutex);
    if (!m_file.isOpen() || bytes <= 0)
        return m_file.isOpen();
    if (m_writeFailed || quint64(m_dataBytes) + quint64(bytes) > m_maxDataBytes) {
        m_writeFailed = true;
        return false;
    }
    if (m_file.write(pcm, bytes) != bytes) {
        m_writeFailed = true;
        return false;
    }
    m_dataBytes += quint32(bytes);
    // Sound first, header second: a reader looking in between sees a header
    // that claims no more than the file holds. The header follows the sound
    // a few times a second, which keeps a long block cheap to write.
    if (!m_headerTimer.isValid() || m_headerTimer.elapsed() >= kHeaderEveryMsecs)
        return updateHeader();
    return true;
}

bool WavFileStream::updateHeader()
{
    if (!m_file.flush()) {
        m_writeFailed = true;
        return false;
    }
    m_headerTimer.start();
    const QByteArray header = wavHeader(m_format, m_dataBytes);
    const qint64 end = m_file.pos();
    const bool ok = m_file.seek(0) && m_file.write(header) == header.size() && m_file.flush();
    m_file.seek(end);
    m_writeFailed = m_writeFailed || !ok;
    return ok;
}

bool WavFileStream::close()
{
    std::lock_guard lock(m_mutex);
    if (m_file.isOpen()) {
        updateHeader();
        m_file.close();
    }
    return !m_writeFailed;
}

bool WavFileStream::isOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_file.isOpen();
}

qint64 WavFileStream::dataBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_dataBytes;
}
