#include "recording/speech/wav_sound.h"

#include <QList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr quint16 kPcm = 1;
constexpr quint16 kFloat = 3;
constexpr quint16 kExtensible = 0xFFFE;

struct SourceFormat
{
    quint16 tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// One sample of the source as -1..1.
double sampleAt(const char *p, const SourceFormat &format)
{
    if (format.tag == kFloat) {
        if (format.bits == 64) {
            double value;
            std::memcpy(&value, p, sizeof value);
            return value;
        }
        float value;
        std::memcpy(&value, p, sizeof value);
        return value;
    }
    switch (format.bits) {
    case 8: return (quint8(p[0]) - 128) / 128.0;
    case 16: return qFromLittleEndian<qint16>(p) / 32768.0;
    case 24: {
        const qint32 value =
            qint32(quint32(quint8(p[0])) << 8 | quint32(quint8(p[1])) << 16 | quint32(quint8(p[2])) << 24);
        return value / 2147483648.0;
    }
    default: return qFromLittleEndian<qint32>(p) / 2147483648.0;
    }
}

bool supported(const SourceFormat &format)
{
    if (format.channels <= 0 || format.sampleRate <= 0)
        return false;
    if (format.tag == kFloat)
        return format.bits == 32 || format.bits == 64;
    return format.tag == kPcm && (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
}

// The channels mixed into one, at the source's rate.
QList<double> monoSamples(const char *data, qsizetype bytes, const SourceFormat &format)
{
    const int sampleBytes = format.bits / 8;
    const int frameBytes = sampleBytes * format.channels;
    QList<double> mono;
    mono.reserve(bytes / frameBytes);
    for (qsizetype at = 0; at + frameBytes <= bytes; at += frameBytes) {
        double sum = 0;
        for (int c = 0; c < format.channels; ++c)
            sum += sampleAt(data + at + c * sampleBytes, format);
        mono.append(sum / format.channels);
    }
    return mono;
}

// Linear interpolation between neighbouring samples: speech carries little
// above what either rate holds.
QByteArray resampled(const QList<double> &mono, int fromRate, const PcmFormat &target)
{
    const qint64 frames =
        fromRate == target.sampleRate ? mono.size() : qint64(mono.size()) * target.sampleRate / fromRate;
    QByteArray out(frames * 2 * target.channels, Qt::Uninitialized);
    char *p = out.data();
    for (qint64 i = 0; i < frames; ++i) {
        const double position = double(i) * fromRate / target.sampleRate;
        const qsizetype left = std::min<qsizetype>(qsizetype(position), mono.size() - 1);
        const qsizetype right = std::min<qsizetype>(left + 1, mono.size() - 1);
        const double share = position - left;
        const double value = mono.at(left) * (1 - share) + mono.at(right) * share;
        const auto sample = qint16(std::clamp(std::lround(value * 32767), -32768L, 32767L));
        for (int c = 0; c < target.channels; ++c, p += 2)
            qToLittleEndian(sample, p);
    }
    return out;
}

} // namespace

std::optional<QByteArray> wavSoundAs(const QByteArray &wav, const PcmFormat &target)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return std::nullopt;
    SourceFormat format;
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype declared = u32(wav, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && body + 16 <= wav.size()) {
            format.tag = u16(wav, body);
            format.channels = u16(wav, body + 2);
            format.sampleRate = int(u32(wav, body + 4));
            format.bits = u16(wav, body + 14);
            if (format.tag == kExtensible && declared >= 26 && body + 26 <= wav.size())
                format.tag = u16(wav, body + 24);
        } else if (id == "data") {
            if (!supported(format))
                return std::nullopt;
            const qsizetype left = wav.size() - body;
            const qsizetype bytes = declared == 0 || declared > left ? left : declared;
            return resampled(monoSamples(wav.constData() + body, bytes, format), format.sampleRate, target);
        }
        at = body + declared + (declared & 1);
    }
    return std::nullopt;
}
