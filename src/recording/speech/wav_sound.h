#pragma once
// The sound of a WAV file a speech program wrote, in the format our own
// voices speak: programs write their own sample rates (16, 22.05, 24 kHz),
// mono or stereo, 8 to 32 bits or floating point, and a block's WAV holds
// one format throughout.

#include "recording/speech/wav_file_stream.h"

#include <QByteArray>

#include <optional>

// Nothing when the bytes are no PCM or floating-point WAV. A data size the
// writer could not know (a program writing into a pipe states 0 or the
// largest size) is taken as "up to the end of the file".
std::optional<QByteArray> wavSoundAs(const QByteArray &wavFile, const PcmFormat &target);
