#pragma once
// The encoder run that turns one block's WAV into its tagged MP3.

#include "mp3/book_audio.h"

#include "common/process_runner.h"

#include <QString>

#include <optional>

// "lame" in the program folder when it is there, else the one on PATH.
QString lameProgram(const QString &programFolder);

// The end of the name an MP3 has while the encoder writes it.
inline const QLatin1String kPartialMp3Suffix(".part");

// A WAV this short holds no sound: the speech engine failed.
constexpr qint64 kEmptyWavBytes = 50;

struct EncoderCommand
{
    // The command line as the user sees it: the encoder, the option string,
    // the tag switches and the two quoted paths.
    QString commandLine;
    // What really runs: the same words as an argument list, in a UTF-8
    // locale so the encoder reads Cyrillic tags correctly.
    ProcessRequest request;
    QString wavPath;
    QString mp3Path;
    // What the encoder writes: the MP3's name with kPartialMp3Suffix, renamed
    // to mp3Path when the encoder has ended well.
    QString partPath;
};

// The encoder run for block `n` (also sets the book's TagInfo for it);
// nothing when the block's WAV exists and is empty.
std::optional<EncoderCommand> encoderCommand(BookAudio &book, int n);
