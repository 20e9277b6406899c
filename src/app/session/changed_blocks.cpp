#include "app/session/changed_blocks.h"

#include "app/project_store.h"
#include "mp3/book_audio.h"
#include "recording/block_fingerprint.h"

ChangedBlocks blocksChangedSinceRecording(const Settings &settings, const QString &programFolder,
                                          const BlockTextSource &source, const QString &book,
                                          const QString &audioFolder)
{
    ChangedBlocks changed;
    const QString folder = bookFolder(programFolder, book);
    const int blockCount = countBlocks(folder);
    TagInfo info;
    BlockTitles titles;
    loadChapters(folder, book, blockCount, info, titles);
    BookAudio audio{settings, programFolder, audioFolder, book, blockCount, info, titles};
    const QHash<int, BlockFingerprint> fingerprints = readBlockFingerprints(audioFolder);
    for (int n = 1; n <= blockCount; ++n) {
        if (!mp3Exists(audio, n)) {
            ++changed.withoutMp3;
            continue;
        }
        const auto stored = fingerprints.constFind(n);
        if (stored == fingerprints.cend()) {
            ++changed.unknown;
            continue;
        }
        QString spoken;
        source.blockText(n, false, false, book, &changed.failure, &spoken);
        if (!changed.failure.isEmpty())
            return changed;
        if (textFingerprint(spoken) != stored->text)
            changed.blocks.append(n);
    }
    return changed;
}
