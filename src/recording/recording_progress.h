#pragma once
// Where a recording stands, as data: the driver and the job fill it in, and
// each face (the main window, the command line) says it in its own words.

#include <QString>
#include <QStringList>

#include <optional>

enum class RecordingPhase {
    Speaking,          // a block is being spoken; earlier ones may be encoding
    WaitingForEncoder, // everything is spoken; the encoder finishes the last blocks
    Assembling,        // the blocks are being put together into the one-file book
    Finished,          // the chosen blocks of the book are recorded
    BatchFinished,     // every ticked book of the batch is recorded
    Stopped,           // the user stopped it
    Failed,            // an error stopped it
};

struct RecordingProgress
{
    RecordingPhase phase = RecordingPhase::Speaking;
    QString book;
    int block = 0;        // the block being spoken
    int blockOfRange = 0; // its place in the chosen range, from 1
    int blocksInRange = 0;
    double bookPercent = 0;  // share of the chosen range done, 0 to 100
    double blockPercent = 0; // share of the block being spoken
    double elapsedSeconds = 0;
    std::optional<double> remainingSeconds; // once there is an estimate
    QStringList encodingFiles;              // the WAVs being encoded; empty while the encoders idle
    bool applyingDictionaries = false;      // the next block's text is being rewritten
    bool paused = false;
    bool stopAfterBlock = false;

    bool ended() const
    {
        return phase != RecordingPhase::Speaking && phase != RecordingPhase::WaitingForEncoder
               && phase != RecordingPhase::Assembling;
    }
};
