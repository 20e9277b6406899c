#pragma once

#include <QString>

#include <optional>

// The number in decimal, left-padded with "0" to `width`; wider numbers stay.
QString padNumber(qint64 number, int width);

// The length of a WAV file as "MM-SS", or "HH-MM-SS" from one hour on;
// "00-00" when there is no file. The RIFF header's byte rate and data size
// give the length; a file without a readable header counts as 32000 bytes a
// second after a 50-byte header.
QString wavDuration(const QString &path);

// The exact length of a WAV file's sound in seconds (data size over byte
// rate); nothing without a readable header.
std::optional<double> wavExactSeconds(const QString &path);
