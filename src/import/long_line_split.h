#pragma once
// Blocks end only at line ends, so a paragraph of millions of characters
// (a book whose paragraphs were lost on the way, all on one line) would be
// one block: a recording of a day, beyond what a WAV file can hold. Such a
// line is cut at sentence ends into pieces of at least the block size.

#include <QStringList>

// `line` whole when it is at most twice `blockSize` long; otherwise pieces
// that each end after a full stop, "!", "?" or "…" once at least `blockSize`
// characters are taken, where a letter begins the next sentence. The blanks
// between two pieces are dropped, so no piece looks like a new paragraph.
QStringList splitOverlongLine(const QString &line, int blockSize);
