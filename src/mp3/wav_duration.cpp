#include "mp3/wav_duration.h"

#include <QFile>
#include <QtEndian>

#include <cmath>
#include <optional>

namespace {

constexpr double kHeaderlessBytesPerSecond = 32000;
constexpr qint64 kHeaderlessHeaderBytes = 50;

struct WavLayout
{
    quint32 byteRate = 0;
    qint64 dataBytes = 0;
};

// Walks the RIFF chunks for "fmt " and "data". A data size that is zero or
// runs past the end of the file (a stream that was never closed) is taken
// from the file's length instead.
std::optional<WavLayout> readLayout(QFile &file)
{
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;
    WavLayout layout;
    for (;;) {
        const QByteArray header = file.read(8);
        if (header.size() < 8)
            return std::nullopt;
        const qint64 size = qFromLittleEndian<quint32>(header.constData() + 4);
        const QByteArray id = header.left(4);
        if (id == "fmt ") {
            const QByteArray format = file.read(size);
            if (format.size() < 12)
                return std::nullopt;
            layout.byteRate = qFromLittleEndian<quint32>(format.constData() + 8);
            if (size % 2 == 1)
                file.skip(1);
        } else if (id == "data") {
            const qint64 available = file.size() - file.pos();
            layout.dataBytes = size == 0 || size > available ? available : size;
            if (layout.byteRate == 0)
                return std::nullopt;
            return layout;
        } else if (!file.skip(size + size % 2)) {
            return std::nullopt;
        }
    }
}

// Whole seconds of sound in the WAV file (half a second rounds to even).
qint64 wavSeconds(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    double seconds = 0;
    if (const auto layout = readLayout(file))
        seconds = double(layout->dataBytes) / layout->byteRate;
    else
        seconds = double(file.size() - kHeaderlessHeaderBytes) / kHeaderlessBytesPerSecond;
    return std::max<qint64>(0, std::llrint(seconds));
}

} // namespace

std::optional<double> wavExactSeconds(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto layout = readLayout(file);
    if (!layout)
        return std::nullopt;
    return double(layout->dataBytes) / layout->byteRate;
}

QString padNumber(qint64 number, int width)
{
    QString text = QString::number(number);
    if (text.size() < width)
        text.prepend(QString(width - text.size(), u'0'));
    return text;
}

QString wavDuration(const QString &path)
{
    if (path.isEmpty() || !QFile::exists(path))
        return QStringLiteral("00-00");
    const qint64 total = wavSeconds(path);
    const qint64 hours = total / 3600;
    const qint64 rest = total % 3600;
    QString text = padNumber(rest / 60, 2) + u'-' + padNumber(rest % 60, 2);
    if (hours > 0)
        text.prepend(padNumber(hours, 2) + u'-');
    return text;
}
