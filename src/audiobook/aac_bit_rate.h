#pragma once
// The bit rate of the M4B book's AAC sound, from the MP3 encoder's options,
// so a user who chose a higher MP3 quality gets a higher AAC quality too.

#include <QString>

// kb/s: three quarters of a constant or average MP3 bit rate (AAC sounds
// as good at that rate), a rate by quality for variable bit rate, 64 when the
// options name none; always between 32 and 128 and a multiple of 8.
int aacBitRate(const QString &lameParameters);
