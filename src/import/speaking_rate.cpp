#include "import/speaking_rate.h"

#include <cmath>

qint64 SpeakingRate::seconds(qint64 characters) const
{
    if (wavBytesPerSecond <= 0)
        return 0;
    return std::llround(coefficient * 100.0 * double(characters) / wavBytesPerSecond);
}

double SpeakingRate::characters(double seconds) const
{
    if (coefficient <= 0)
        return 0;
    return seconds * wavBytesPerSecond / (coefficient * 100.0);
}
