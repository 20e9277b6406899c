#include "mp3/front_cover.h"

#include <QFile>

namespace {

constexpr qint64 kHeaderBytes = 10;
constexpr char kFrontCover = 3;

qint64 syncSafe(const QByteArray &bytes, qint64 at)
{
    qint64 value = 0;
    for (qint64 i = at; i < at + 4; ++i)
        value = value << 7 | (uchar(bytes[i]) & 0x7F);
    return value;
}

qint64 bigEndian(const QByteArray &bytes, qint64 at)
{
    qint64 value = 0;
    for (qint64 i = at; i < at + 4; ++i)
        value = value << 8 | uchar(bytes[i]);
    return value;
}

// Where the picture type of an APIC frame's body lies: after the text
// encoding byte and the MIME type with its terminating zero.
qint64 pictureTypeAt(const QByteArray &tag, qint64 body, qint64 end)
{
    const qint64 mimeEnd = tag.indexOf('\0', body + 1);
    return mimeEnd > body && mimeEnd + 1 < end ? mimeEnd + 1 : -1;
}

} // namespace

void markPicturesAsFrontCover(const QString &mp3Path)
{
    QFile file(mp3Path);
    if (!file.open(QIODevice::ReadWrite))
        return;
    const QByteArray header = file.read(kHeaderBytes);
    if (header.size() < kHeaderBytes || !header.startsWith("ID3"))
        return;
    const int version = header[3];
    // Unsynchronised bytes or an extended header would move what is read.
    if ((version != 3 && version != 4) || (uchar(header[5]) & 0xC0) != 0)
        return;
    const QByteArray tag = file.read(syncSafe(header, 6));
    qint64 frame = 0;
    while (frame + kHeaderBytes <= tag.size() && tag[frame] != '\0') {
        const qint64 size = version == 4 ? syncSafe(tag, frame + 4) : bigEndian(tag, frame + 4);
        const qint64 body = frame + kHeaderBytes;
        if (size <= 0 || body + size > tag.size())
            return;
        // A compressed, encrypted or unsynchronised frame keeps its bytes elsewhere.
        const bool plain = tag[frame + 9] == '\0';
        if (plain && tag.mid(frame, 4) == "APIC") {
            const qint64 at = pictureTypeAt(tag, body, body + size);
            if (at >= 0 && tag[at] != kFrontCover && file.seek(kHeaderBytes + at))
                file.write(&kFrontCover, 1);
        }
        frame = body + size;
    }
}
