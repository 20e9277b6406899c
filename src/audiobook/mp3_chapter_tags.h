#pragma once
// The ID3v2 tag of the one-file MP3 book: the book's tags, the cover and a
// chapter frame per block under one table of contents, as players of
// podcasts and audiobooks read them.

#include "audiobook/book_chapters.h"
#include "audiobook/book_tags.h"

#include <QList>
#include <QString>

// Replaces any tag of the MP3 file at `path`; `coverPath` may be empty.
// False when the file could not be read or written.
bool writeMp3BookTag(const QString &path, const BookTags &tags, const QList<BookChapter> &chapters,
                     const QString &coverPath);
