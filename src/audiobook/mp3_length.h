#pragma once
// The exact length of an MP3 file from its own length header, read without
// starting a program.

#include <QString>

#include <optional>

// Frames × samples per frame ÷ sample rate, as the header that the encoder
// writes at the front (the "Info"/"Xing" frame) states it; FFmpeg's prober
// reads the same numbers, so this is the length it gives. Nothing when the
// file has no such header.
std::optional<double> mp3HeaderSeconds(const QString &path);
