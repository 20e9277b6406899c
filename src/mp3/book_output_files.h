#pragma once
// The recording driver's view of one book's audio files: WAV names, the
// finished-MP3 test, the encoder runs and what each MP3 was made from.

#include "mp3/book_audio.h"

#include "recording/recording_ports.h"

#include <QHash>

class BookOutputFiles : public OutputFiles
{
public:
    explicit BookOutputFiles(BookAudio book) : m_book(std::move(book)) { }

    QString wavFileName(int n) override;
    bool mp3Exists(int n) override;
    std::optional<ProcessRequest> encoderJob(int n) override;
    bool keepEncodedMp3(int n) override;
    void discardMp3(int n) override;
    void removeLeftovers() override;
    std::optional<BlockFingerprint> storedFingerprint(int n) override;
    void keepFingerprint(int n, const BlockFingerprint &fingerprint) override;

protected:
    BookAudio m_book;
    // The file each started job writes: its name holds the WAV's duration,
    // which is gone once the WAV is deleted.
    QHash<int, QString> m_mp3Paths;
    QHash<int, QString> m_partPaths;
    // The fingerprints of the audio folder, read at the first question.
    std::optional<QHash<int, BlockFingerprint>> m_fingerprints;
};
