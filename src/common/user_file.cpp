#include "common/user_file.h"

#include "common/text_codec.h"

#include <QFile>
#include <QSaveFile>

namespace UserFile {

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read whole at its size: reading in growing steps would hold up to
    // twice a large book in memory.
    QByteArray bytes = file.read(file.size());
    // A file that grew meanwhile, or one that tells no size, is read on.
    bytes += file.readAll();
    return bytes;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The bytes sit in the file's buffer until flushed; a full disk shows
    // only there, and commit() does not always notice a failed flush.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return writeBytes(path, Codec::toCp1251(text));
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

} // namespace UserFile
