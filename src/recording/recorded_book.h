#pragma once
// A book as the recording sees it, and how its recording ended.

#include <QList>
#include <QString>

struct RecordedBook
{
    QString name;
    QString audioFolder; // output folder + "/" + name
    int blockCount = 0;
    int first = 1;
    int last = 0;
    // When not empty: exactly these blocks, in ascending order, recorded
    // again whatever is there (first and last are the first and the last of
    // them); the range is the user's and stays as it was.
    QList<int> blocks;
};

// How a book's recording ended.
struct RecordingOutcome
{
    bool stoppedByUser = false; // the user's stop left blocks of the range unrecorded
    bool engineFailed = false;  // attempts ran out, ERROR.TXT written
    bool filesFailed = false;   // a WAV could not be written or an MP3 was not made
    int currentBlock = 0;       // where the next job should begin
    bool stopRequested = false; // the user asked to stop, even if nothing was left to cut short
    RecordedBook book;          // the book that ended
};
