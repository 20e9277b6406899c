#include "mp3/book_output_files.h"

#include "mp3/front_cover.h"
#include "mp3/lame_command.h"
#include "recording/block_read_along.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

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
    // A block recorded again replaces its old MP3 in one step, so a run cut
    // off at any moment leaves the old MP3 or the new one, never neither.
    const QStringList older = existingMp3Names(m_book, n);
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(mp3).constData()) != 0)
        return false;
    // The old MP3 had another length in its name: it goes once the new one
    // is in place.
    const QString newName = QFileInfo(mp3).fileName();
    for (const QString &name : older)
        if (name != newName)
            QFile::remove(m_book.audioFolder + u'/' + name);
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
    for (int n = 1; n <= m_book.blockCount; ++n) {
        QStringList names = existingMp3Names(m_book, n);
        if (names.isEmpty())
            continue;
        // A run cut off while a block recorded again replaced its MP3 under
        // another length's name leaves both: the newer one is the block's.
        std::sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
            return QFileInfo(folder.filePath(a)).lastModified() > QFileInfo(folder.filePath(b)).lastModified();
        });
        for (qsizetype older = 1; older < names.size(); ++older)
            folder.remove(names.at(older));
        // A run cut off between the MP3's rename and the WAV's removal
        // leaves the WAV of a finished block; the next run skips that block.
        if (m_book.settings.deleteWav)
            folder.remove(::wavFileName(m_book, n));
    }
}

std::optional<BlockFingerprint> BookOutputFiles::storedFingerprint(int n)
{
    if (!m_fingerprints)
        m_fingerprints = readBlockFingerprints(m_book.audioFolder);
    const auto found = m_fingerprints->constFind(n);
    return found == m_fingerprints->cend() ? std::nullopt : std::optional<BlockFingerprint>(*found);
}

void BookOutputFiles::keepFingerprint(int n, const BlockFingerprint &fingerprint)
{
    // Not kept (a full disk), the block keeps its old fingerprint and is at
    // worst recorded once more.
    writeBlockFingerprint(m_book.audioFolder, n, fingerprint);
    if (m_fingerprints)
        m_fingerprints->insert(n, fingerprint);
}
