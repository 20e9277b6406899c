#pragma once
// Which blocks of a recorded book a dictionary change has touched since
// their MP3 files were made: each block is run through the dictionaries and
// the stresses as a recording would, and its fingerprint compared with the
// one kept beside its MP3.

#include "app/settings.h"
#include "recording/block_text.h"

#include <QList>
#include <QString>

struct ChangedBlocks
{
    QList<int> blocks;  // ascending
    int withoutMp3 = 0; // blocks not recorded yet: nothing to compare
    int unknown = 0;    // MP3s made before fingerprints were kept
    QString failure;    // the dictionaries could not rewrite a block
};

// The blocks of `book` whose MP3 in `audioFolder` was spoken from another
// text than `source` gives the block now.
ChangedBlocks blocksChangedSinceRecording(const Settings &settings, const QString &programFolder,
                                          const BlockTextSource &source, const QString &book,
                                          const QString &audioFolder);
