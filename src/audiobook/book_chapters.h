#pragma once
// The blocks of a book as the chapters of one file: where each starts, and
// the texts FFmpeg and players read them from.

#include "audiobook/book_tags.h"

#include <QList>
#include <QString>

struct BookChapter
{
    QString file;  // the block's MP3, absolute path
    QString title; // the block's title in the table of contents
    double seconds = 0;
};

// Start of every chapter in microseconds: the sum of the lengths before it,
// so the marks stay on the blocks' boundaries over a book of any length.
QList<qint64> chapterStarts(const QList<BookChapter> &chapters);
qint64 totalMicroseconds(const QList<BookChapter> &chapters);

// FFmpeg's metadata file: the book's tags and one chapter per block.
QString ffmetadataText(const BookTags &tags, const QList<BookChapter> &chapters);

// FFmpeg's list of files to join, each with its length, so the joined sound
// puts every block exactly at its chapter's start.
QString concatListText(const QList<BookChapter> &chapters);

// An extended M3U playlist of the blocks, by file name (the playlist lies
// beside them), each with its length in whole seconds and its title.
QString playlistText(const QList<BookChapter> &chapters);
