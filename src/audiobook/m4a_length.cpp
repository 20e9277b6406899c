#include "audiobook/m4a_length.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace {

// An MP4 box: its type and where its content lies in the buffer.
struct Box
{
    QByteArray type;
    qsizetype contentStart = 0;
    qsizetype end = 0;
};

quint32 be32(const QByteArray &data, qsizetype at)
{
    return qFromBigEndian<quint32>(data.constData() + at);
}

quint64 be64(const QByteArray &data, qsizetype at)
{
    return qFromBigEndian<quint64>(data.constData() + at);
}

// The first box of `type` among the boxes of data[from, to).
std::optional<Box> findBox(const QByteArray &data, qsizetype from, qsizetype to, const char *type)
{
    qsizetype at = from;
    while (at + 8 <= to) {
        quint64 size = be32(data, at);
        qsizetype header = 8;
        if (size == 1) {
            if (at + 16 > to)
                return std::nullopt;
            size = be64(data, at + 8);
            header = 16;
        } else if (size == 0) {
            size = quint64(to - at); // to the end
        }
        if (size < quint64(header) || size > quint64(to - at))
            return std::nullopt;
        const QByteArray boxType = data.mid(at + 4, 4);
        if (boxType == type)
            return Box{boxType, at + header, at + qsizetype(size)};
        at += qsizetype(size);
    }
    return std::nullopt;
}

std::optional<Box> findPath(const QByteArray &data, const Box &parent, std::initializer_list<const char *> path)
{
    Box box = parent;
    for (const char *type : path) {
        const auto found = findBox(data, box.contentStart, box.end, type);
        if (!found)
            return std::nullopt;
        box = *found;
    }
    return box;
}

// The time scale of a track's media header (versions 0 and 1).
std::optional<quint32> timeScale(const QByteArray &data, const Box &mdhd)
{
    const qsizetype version = mdhd.contentStart < mdhd.end ? quint8(data[mdhd.contentStart]) : 0;
    const qsizetype at = mdhd.contentStart + (version == 1 ? 20 : 12);
    if (at + 4 > mdhd.end)
        return std::nullopt;
    return be32(data, at);
}

// The packets of a time-to-sample table times the longest packet's
// duration: the muxer gives the last packet only the samples it holds, but
// copied into a book it takes a whole frame like the others.
std::optional<quint64> sampleTicks(const QByteArray &data, const Box &stts)
{
    if (stts.contentStart + 8 > stts.end)
        return std::nullopt;
    const quint32 entries = be32(data, stts.contentStart + 4);
    if (quint64(entries) * 8 > quint64(stts.end - stts.contentStart - 8))
        return std::nullopt;
    quint64 packets = 0;
    quint32 frame = 0;
    for (quint32 i = 0; i < entries; ++i) {
        const qsizetype at = stts.contentStart + 8 + qsizetype(i) * 8;
        packets += be32(data, at);
        frame = std::max(frame, be32(data, at + 4));
    }
    return packets * frame;
}

// The content of the file's "moov" box. The index is small but may come
// after the sound, so the boxes before it are stepped over, not read.
QByteArray movieBox(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 fileSize = file.size();
    qint64 at = 0;
    while (at + 8 <= fileSize && file.seek(at)) {
        const QByteArray header = file.read(16);
        if (header.size() < 8)
            return {};
        quint64 size = be32(header, 0);
        qint64 headerSize = 8;
        if (size == 1 && header.size() == 16) {
            size = be64(header, 8);
            headerSize = 16;
        } else if (size == 0) {
            size = quint64(fileSize - at);
        }
        if (size < quint64(headerSize) || size > quint64(fileSize - at))
            return {};
        if (header.mid(4, 4) == "moov") {
            constexpr qint64 kLargestIndex = 64 * 1024 * 1024;
            if (qint64(size) - headerSize > kLargestIndex || !file.seek(at + headerSize))
                return {};
            return file.read(qint64(size) - headerSize);
        }
        at += qint64(size);
    }
    return {};
}

} // namespace

std::optional<double> m4aPacketSeconds(const QString &path)
{
    const QByteArray data = movieBox(path);
    if (data.isEmpty())
        return std::nullopt;
    const std::optional<Box> moov = Box{QByteArrayLiteral("moov"), 0, data.size()};
    for (qsizetype at = moov->contentStart; at < moov->end;) {
        const auto trak = findBox(data, at, moov->end, "trak");
        if (!trak)
            break;
        at = trak->end;
        const auto handler = findPath(data, *trak, {"mdia", "hdlr"});
        if (!handler || handler->contentStart + 12 > handler->end
            || data.mid(handler->contentStart + 8, 4) != QByteArrayLiteral("soun"))
            continue;
        const auto mdhd = findPath(data, *trak, {"mdia", "mdhd"});
        const auto stts = findPath(data, *trak, {"mdia", "minf", "stbl", "stts"});
        if (!mdhd || !stts)
            return std::nullopt;
        const auto scale = timeScale(data, *mdhd);
        const auto ticks = sampleTicks(data, *stts);
        if (!scale || *scale == 0 || !ticks)
            return std::nullopt;
        return double(*ticks) / *scale;
    }
    return std::nullopt;
}
