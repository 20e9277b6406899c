#include "id3v2_reader.h"

#include <QFile>
#include <QStringDecoder>
#include <QtEndian>

namespace {

quint32 syncSafe(const char *p)
{
    return (quint32(uchar(p[0])) << 21) | (quint32(uchar(p[1])) << 14) | (quint32(uchar(p[2])) << 7)
           | quint32(uchar(p[3]));
}

// Text in one of the four ID3v2 encodings, up to its first terminator.
QString decodeText(char encoding, const QByteArray &bytes)
{
    QString text;
    switch (encoding) {
    case 0: text = QString::fromLatin1(bytes); break;
    case 1: {
        QStringDecoder decoder(QStringConverter::Utf16);
        text = decoder(bytes);
        break;
    }
    case 2: {
        QStringDecoder decoder(QStringConverter::Utf16BE);
        text = decoder(bytes);
        break;
    }
    default: text = QString::fromUtf8(bytes); break;
    }
    const qsizetype end = text.indexOf(QChar(0));
    return end < 0 ? text : text.left(end);
}

// A comment frame: encoding, language, a terminated description, the text.
QString commentText(const QByteArray &body)
{
    const char encoding = body.at(0);
    QByteArray rest = body.mid(4);
    const bool wide = encoding == 1 || encoding == 2;
    qsizetype at = 0;
    while (at + (wide ? 1 : 0) < rest.size()) {
        const bool terminator = wide ? rest.at(at) == 0 && rest.at(at + 1) == 0 : rest.at(at) == 0;
        if (terminator)
            return decodeText(encoding, rest.mid(at + (wide ? 2 : 1)));
        at += wide ? 2 : 1;
    }
    return QString();
}

} // namespace

QMap<QString, QString> readId3v2Frames(const QString &mp3Path)
{
    QMap<QString, QString> frames;
    QFile file(mp3Path);
    if (!file.open(QIODevice::ReadOnly))
        return frames;
    const QByteArray header = file.read(10);
    if (header.size() < 10 || !header.startsWith("ID3"))
        return frames;
    const int version = header.at(3);
    const QByteArray tag = file.read(syncSafe(header.constData() + 6));
    qsizetype at = 0;
    while (at + 10 <= tag.size() && tag.at(at) != 0) {
        const QString id = QString::fromLatin1(tag.mid(at, 4));
        const char *sizeBytes = tag.constData() + at + 4;
        const quint32 size = version >= 4 ? syncSafe(sizeBytes) : qFromBigEndian<quint32>(sizeBytes);
        const QByteArray body = tag.mid(at + 10, size);
        if (id == QLatin1String("COMM"))
            frames.insert(id, commentText(body));
        else if (id.startsWith(u'T') && !body.isEmpty())
            frames.insert(id, decodeText(body.at(0), body.mid(1)));
        at += 10 + size;
    }
    return frames;
}
