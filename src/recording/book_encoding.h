#pragma once
// One book's share of the encoding. The book being spoken has one; a book of
// a batch whose last block has been spoken keeps its own while the next book
// is spoken, until its last encoder run has ended: the WAVs still waiting for
// an encoder, the blocks whose encoder failed, its file names and the lock on
// its folder all stay with it.

#include "recording/recorded_book.h"
#include "recording/recording_ports.h"

#include <QHash>
#include <QList>
#include <QLockFile>

#include <limits>
#include <memory>

// A finished WAV waiting for an encoder.
struct QueuedWav
{
    QString fileName;
    int block = 0;
};

struct BookEncoding
{
    // Tells this book's runs in the shared encoder pool from the others'.
    int id = 0;
    RecordedBook book;
    std::shared_ptr<OutputFiles> files;
    // Held while the book is recorded, so no second run works in its folder.
    std::unique_ptr<QLockFile> folderLock;
    QList<QueuedWav> queue;
    // What each block spoken was spoken from, kept with its MP3 once it is
    // encoded.
    QHash<int, BlockFingerprint> spokenFrom;
    // Blocks whose encoder run made no MP3; their WAVs are kept.
    QList<int> failures;
    // The first block whose encoding a stop cut off (its WAV stays).
    int firstUnencodedBlock = std::numeric_limits<int>::max();
    // How the speaking ended: the first block not spoken, and why.
    int nextBlock = 0;
    bool stopRequest = false;
    bool engineFailed = false;
    bool filesFailed = false;

    // The outcome once the last encoder run has ended.
    RecordingOutcome outcome() const;
    // Every block of the range is spoken and encoded, nothing went wrong.
    bool recordedWhole() const;
};
