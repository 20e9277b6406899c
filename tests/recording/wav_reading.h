#pragma once
// Reads back the WAV files the voice writes: the header's fields and the
// sound's length.

#include <QByteArray>
#include <QFile>
#include <QtEndian>

struct WavInfo
{
    bool valid = false;
    int sampleRate = 0;
    int channels = 0;
    int bits = 0;
    qint64 dataBytes = 0;
    qint64 fileBytes = 0;
    double seconds() const { return sampleRate ? double(dataBytes) / (sampleRate * channels * bits / 8) : 0; }
    double msecs() const { return seconds() * 1000; }
};

inline WavInfo readWavInfo(const QString &path)
{
    QFile file(path);
    WavInfo info;
    if (!file.open(QIODevice::ReadOnly))
        return info;
    const QByteArray h = file.read(44);
    info.fileBytes = file.size();
    if (h.size() < 44)
        return info;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(h.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(h.constData() + at); };
    info.sampleRate = int(u32(24));
    info.channels = u16(22);
    info.bits = u16(34);
    info.dataBytes = u32(40);
    info.valid = h.startsWith("RIFF") && h.mid(8, 8) == "WAVEfmt " && u32(16) == 16 && u16(20) == 1
                 && h.mid(36, 4) == "data" && u32(4) == 36 + u32(40) && 44 + info.dataBytes <= info.fileBytes
                 && u32(28) == u32(24) * u16(32);
    return info;
}
