#pragma once
// The recording's files of an M4B book whose block MP3s are not kept: each
// block's WAV is encoded once, straight to AAC in an MP4 file ("<block>.m4a",
// named like its MP3 would be), by the same encoder pool and with the same
// safety as the MP3 runs: written under a ".part" name, renamed only after a
// clean exit. The book is then the blocks' packets copied one after another
// (m4bFromAacRequest), without a second encoding.

#include "mp3/book_output_files.h"

// Whether a recording makes AAC blocks instead of MP3 blocks: for an M4B
// book whose block MP3s the user does not keep ("Удалять MP3 блоков").
bool recordsAacBlocks(const Settings &settings);

// The M4B's sound and every block's AAC: 44,100 Hz mono (see m4bRequest).
constexpr int kAacBlockSampleRate = 44100;
// Samples in an AAC frame, and the encoder's priming before the sound.
constexpr int kAacFrameSamples = 1024;

// The FFmpeg run that encodes `wav` to `output` (an M4A file, whatever its
// name ends in). The sound is cut to whole AAC frames, so the encoder pads
// nothing at the end: in the book, the next block then follows after no more
// than the encoder's priming (1,024 samples, 23 ms) of silence. At most one
// frame of the block's end goes, the silence after its last word.
ProcessRequest aacBlockRequest(const QString &ffmpeg, const QString &wav, const QString &output, int aacKbps);

class AacBlockFiles : public BookOutputFiles
{
public:
    AacBlockFiles(BookAudio book, QString ffmpeg) : BookOutputFiles(std::move(book)), m_ffmpeg(std::move(ffmpeg)) { }

    // The block counts as finished when its AAC file is there.
    bool mp3Exists(int n) override;
    std::optional<ProcessRequest> encoderJob(int n) override;
    bool keepEncodedMp3(int n) override;

private:
    QString m_ffmpeg;
};
