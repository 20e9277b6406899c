#include "audiobook/book_chapters.h"

#include <QFileInfo>

#include <cmath>

namespace {

qint64 microseconds(double seconds)
{
    return std::llround(seconds * 1e6);
}

// "=", ";", "#", "\" and line ends have meanings of their own in the
// metadata file; a backslash before them makes them text.
QString metadataValue(const QString &text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == u'=' || c == u';' || c == u'#' || c == u'\\')
            escaped += u'\\';
        if (c == u'\n' || c == u'\r') {
            escaped += u' ';
            continue;
        }
        escaped += c;
    }
    return escaped;
}

QString metadataLine(const char *key, const QString &value)
{
    return value.isEmpty() ? QString() : QLatin1String(key) + u'=' + metadataValue(value) + u'\n';
}

// A path in single quotes; a quote of its own closes the quotes, is
// escaped, and opens them again.
QString concatQuoted(const QString &path)
{
    QString quoted = path;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

// Line ends would start a new entry of the playlist.
QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

} // namespace

QList<qint64> chapterStarts(const QList<BookChapter> &chapters)
{
    QList<qint64> starts;
    double sum = 0;
    for (const BookChapter &chapter : chapters) {
        starts << microseconds(sum);
        sum += chapter.seconds;
    }
    return starts;
}

qint64 totalMicroseconds(const QList<BookChapter> &chapters)
{
    double sum = 0;
    for (const BookChapter &chapter : chapters)
        sum += chapter.seconds;
    return microseconds(sum);
}

QString ffmetadataText(const BookTags &tags, const QList<BookChapter> &chapters)
{
    QString text = QStringLiteral(";FFMETADATA1\n");
    text += metadataLine("title", tags.title) + metadataLine("artist", tags.artist)
            + metadataLine("album_artist", tags.artist) + metadataLine("album", tags.album)
            + metadataLine("genre", tags.genre) + metadataLine("date", tags.year)
            + metadataLine("comment", tags.comment);
    const QList<qint64> starts = chapterStarts(chapters);
    const qint64 total = totalMicroseconds(chapters);
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        const qint64 end = i + 1 < chapters.size() ? starts[i + 1] : total;
        text += QStringLiteral("[CHAPTER]\nTIMEBASE=1/1000000\nSTART=%1\nEND=%2\n").arg(starts[i]).arg(end);
        text += metadataLine("title", chapters[i].title);
    }
    return text;
}

QString concatListText(const QList<BookChapter> &chapters)
{
    QString text = QStringLiteral("ffconcat version 1.0\n");
    for (const BookChapter &chapter : chapters)
        text += QStringLiteral("file ") + concatQuoted(chapter.file) + QStringLiteral("\nduration ")
                + QString::number(chapter.seconds, 'f', 6) + u'\n';
    return text;
}

QString playlistText(const QList<BookChapter> &chapters)
{
    QString text = QStringLiteral("#EXTM3U\n");
    for (const BookChapter &chapter : chapters) {
        const QString name = QFileInfo(chapter.file).fileName();
        const QString title = chapter.title.isEmpty() ? QFileInfo(chapter.file).completeBaseName() : chapter.title;
        text += QStringLiteral("#EXTINF:%1,%2\n%3\n").arg(std::llround(chapter.seconds)).arg(oneLine(title), name);
    }
    return text;
}
