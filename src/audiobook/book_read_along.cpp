#include "audiobook/book_read_along.h"

#include "audiobook/mp3_length.h"
#include "common/user_file.h"
#include "recording/block_read_along.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QByteArray withCrLf(QString text)
{
    return text.replace(u'\n', QStringLiteral("\r\n")).toUtf8();
}

} // namespace

std::optional<BookReadAlong> BookReadAlong::collect(BookAudio &audio, int lastBlock)
{
    BookReadAlong book;
    const QDir folder(audio.audioFolder);
    for (int n = 1; n <= lastBlock; ++n) {
        const QString name = existingMp3Name(audio, n);
        if (name.isEmpty())
            return std::nullopt;
        const QString mp3 = folder.filePath(name);
        const QString lrc = readAlongPathFor(mp3);
        const std::optional<QByteArray> text = UserFile::readBytes(lrc);
        const std::optional<double> seconds = mp3HeaderSeconds(mp3);
        if (!text || !seconds)
            return std::nullopt;
        book.m_lines += shiftedLines(parseLrc(QString::fromUtf8(*text)), book.m_seconds);
        book.m_seconds += *seconds;
        book.m_blockFiles.append({mp3, lrc});
    }
    return book;
}

bool BookReadAlong::writeBeside(const QString &bookFile, const ReadAlongTags &tags) const
{
    ReadAlongTags whole = tags;
    whole.lengthSeconds = m_seconds;
    const bool words =
        std::any_of(m_lines.cbegin(), m_lines.cend(), [](const ReadAlongLine &line) { return !line.words.isEmpty(); });
    const bool lrc = UserFile::writeBytes(readAlongPathFor(bookFile), withCrLf(lrcText(m_lines, whole, words)));
    const bool srt =
        UserFile::writeBytes(readAlongPathFor(bookFile, QStringLiteral("srt")), withCrLf(srtText(m_lines, m_seconds)));
    return lrc && srt;
}

void BookReadAlong::removeOrphans() const
{
    for (const auto &[mp3, lrc] : m_blockFiles)
        if (!QFileInfo::exists(mp3))
            QFile::remove(lrc);
}
