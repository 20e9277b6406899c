#include "recording/book_encoding.h"

#include <algorithm>

RecordingOutcome BookEncoding::outcome() const
{
    // A stop that came when every block was already spoken and encoded cut
    // nothing short; the next job begins at the first block left unfinished.
    const int firstLeft = std::min(nextBlock, firstUnencodedBlock);
    const bool blocksLeft = firstLeft <= book.last;
    RecordingOutcome result;
    result.stoppedByUser = stopRequest && blocksLeft;
    result.engineFailed = engineFailed;
    result.filesFailed = filesFailed;
    result.currentBlock = std::min(firstLeft, book.blockCount);
    result.stopRequested = stopRequest && !engineFailed && !filesFailed;
    result.book = book;
    return result;
}

bool BookEncoding::recordedWhole() const
{
    const RecordingOutcome result = outcome();
    return !result.stoppedByUser && !result.engineFailed && !result.filesFailed && failures.isEmpty();
}
