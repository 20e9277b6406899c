#pragma once
// The length an AAC block in an MP4 file takes in a book its packets are
// copied into, read from the file's own index without starting a program.

#include <QString>

#include <optional>

// The audio track's packets times the frame length over the sample rate
// (its "stts" and "mdhd"). This counts the encoder's priming and padding,
// which the file's edit list hides when it plays alone but which stay in the
// book when its packets are copied: FFmpeg's prober's packet count times the
// frame length. Nothing when the file holds no such track.
std::optional<double> m4aPacketSeconds(const QString &path);
