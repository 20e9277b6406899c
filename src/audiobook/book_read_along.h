#pragma once
// The read-along text of a one-file book: the LRC files of its blocks put
// one after another, each block's times moved by the length of the blocks
// before it (where its chapter begins in the book), written beside the book
// as LRC (for audio players) and SRT (for video players).

#include "mp3/book_audio.h"
#include "recording/read_along.h"

#include <optional>

class BookReadAlong
{
public:
    // Read before the book is made, since the blocks may go once it is.
    // Nothing when a block up to `lastBlock` has no MP3 or no LRC beside it.
    static std::optional<BookReadAlong> collect(BookAudio &audio, int lastBlock);

    // "<book>.lrc" and "<book>.srt" beside the book file; false when either
    // could not be written.
    bool writeBeside(const QString &bookFile, const ReadAlongTags &tags) const;
    // The blocks' LRC files whose MP3 went with the book made.
    void removeOrphans() const;

    const QList<ReadAlongLine> &lines() const { return m_lines; }

private:
    QList<ReadAlongLine> m_lines;
    double m_seconds = 0;
    QList<std::pair<QString, QString>> m_blockFiles; // MP3, LRC
};
