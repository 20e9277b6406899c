#pragma once
// What a recorded book becomes besides its blocks' MP3 files: a playlist of
// the blocks, and in the one-file formats the book file with a chapter per
// block. The blocks stay until the book file holding them is whole: it is
// made under a temporary name and renamed, so a run cut off at any moment
// leaves the blocks and a later run makes the book again.

#include "audiobook/book_chapters.h"
#include "audiobook/media_tools.h"
#include "mp3/book_audio.h"

#include <QList>
#include <QString>

#include <functional>

enum class AssemblyStatus {
    Nothing,      // no MP3 of the book's blocks (none made, or made and cleaned up)
    PlaylistOnly, // the blocks' playlist written; no book file wanted yet
    Assembled,
    UpToDate,   // the book file already holds exactly these blocks
    Incomplete, // blocks the book needs have no MP3 yet
    Cancelled,
    Failed,
};

struct AssemblyResult
{
    AssemblyStatus status = AssemblyStatus::Nothing;
    QString message; // for the user, when something is not done
};

class AudiobookAssembler
{
public:
    AudiobookAssembler(BookAudio &book, QString projectFolder, MediaTools tools);

    // Called while FFmpeg runs; false cuts the assembly short.
    KeepGoing keepGoing;
    // Told, while the book file is written, the share of it written so far
    // (0 to 1), from its size against the size foreseen.
    std::function<void(double share)> progress;

    // Writes the playlist of the blocks there are; then, in a one-file
    // format and for `lastBlock` > 0, the book of blocks 1 to `lastBlock`.
    AssemblyResult finishBook(int lastBlock);

    QString bookFilePath() const;
    QString playlistPath() const;

private:
    struct BlockFile
    {
        int block = 0;
        BookChapter chapter;
    };
    // The blocks with an MP3, in order; the blocks up to `lastBlock` without.
    QList<BlockFile> blockFiles(int lastBlock, QList<int> &missing);
    // The blocks' lengths; a failure stops only the making of a book file.
    std::optional<AssemblyResult> measure(QList<BlockFile> &files, bool forBook);
    bool writePlaylist(const QList<BlockFile> &files);
    bool isUpToDate(const QList<BookChapter> &chapters);
    AssemblyResult assemble(const QList<BookChapter> &chapters);
    // The book file's size, foreseen from the blocks.
    double foreseenBytes(const QList<BookChapter> &chapters) const;
    // keepGoing, telling the progress of `output` on the way.
    KeepGoing keepGoingWriting(const QString &output, double foreseen) const;
    QString fileStem() const;
    void removeBlockFiles(const QList<BlockFile> &files);

    BookAudio &m_book;
    QString m_projectFolder;
    MediaTools m_tools;
    bool m_nameTakenByBlock = false;
    // The blocks are AAC (see aac_block_files.h), copied into the M4B.
    bool m_aacBlocks = false;
};

// "1–3, 7": block numbers as the user reads them.
QString blockNumbersText(const QList<int> &blocks);
