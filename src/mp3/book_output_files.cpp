#include "mp3/book_output_files.h"

#include "mp3/front_cover.h"
#include "mp3/lame_command.h"
#include "recording/block_read_along.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString BookOutputFiles::wavFileName(int n)
{
    return ::wavFileName(m_book, n);
}

bool BookOutputFiles::mp3Exists(int n)
{
    return ::mp3Exists(m_book, n);
}

std::optional<ProcessRequest> BookOutputFiles::encoderJob(int n)
{
    auto command = encoderCommand(m_book, n);
    if (!command)
        return std::nullopt;
    m_mp3Paths.insert(n, command->mp3Path);
    m_partPaths.insert(n, command->partPath);
    return command->request;
}

bool BookOutputFiles::keepEncodedMp3(int n)
{
    const QString part = m_partPaths.value(n);
    const QString mp3 = m_mp3Paths.value(n);
    const QFileInfo written(part);
    if (part.isEmpty() || !written.isFile() || written.size() <= 0)
        return false;
    markPicturesAsFrontCover(part);
    // A block recorded again replaces its old MP3.
    if (QFileInfo::exists(mp3) && !QFile::remove(mp3))
        return false;
    if (!QFile::rename(part, mp3))
        return false;
    moveReadAlongToAudio(QDir(m_book.audioFolder).filePath(::wavFileName(m_book, n)), mp3);
    return true;
}

void BookOutputFiles::discardMp3(int n)
{
    const QString part = m_partPaths.value(n);
    if (!part.isEmpty())
        QFile::remove(part);
}

void BookOutputFiles::removeLeftovers()
{
    QDir folder(m_book.audioFolder);
    for (const QString &name : folder.entryList({QLatin1String("*") + kPartialMp3Suffix}, QDir::Files | QDir::Hidden))
        folder.remove(name);
    // A run cut off between the MP3's rename and the WAV's removal leaves
    // the WAV of a finished block; the next run skips that block.
    if (!m_book.settings.deleteWav)
        return;
    for (int n = 1; n <= m_book.blockCount; ++n)
        if (::mp3Exists(m_book, n))
            folder.remove(::wavFileName(m_book, n));
}
