#pragma once
// How long text takes to speak, for the estimates of the book editor, its
// chapter preview, the main window and lectorium-cli. The recording driver
// learns "Коэффициент1" as WAV bytes per character / 100 from the files the
// voice writes, so an estimate divides by the byte rate of those same files.

#include <QtGlobal>

struct SpeakingRate
{
    double coefficient = 0;    // "Коэффициент1"
    int wavBytesPerSecond = 0; // of the voice's WAV files (see speechBytesPerSecond)

    // Whole seconds of speech for `characters` characters (0 without a rate).
    qint64 seconds(qint64 characters) const;
    // Characters spoken in `seconds` (0 without a rate).
    double characters(double seconds) const;
};
