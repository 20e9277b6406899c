#include "import/editor_estimate.h"

#include "import/chapter_preview.h"

#include <cmath>

namespace {

// Bytes of WAV per second of speech, and the slider's step in seconds.
constexpr double kBytesPerSecond = 32000.0;
constexpr double kSecondsPerStep = 30.0;
constexpr qint64 kBookRounding = 300;

} // namespace

QString sizeTextForSliderPosition(int position, double coefficient)
{
    if (coefficient <= 0)
        return QString();
    return QString::number(position * kSecondsPerStep * kBytesPerSecond / (coefficient * 100.0), 'g', 15);
}

int sliderPositionForSize(double characters, double coefficient)
{
    return int(std::lround(characters * coefficient * 100.0 / (kSecondsPerStep * kBytesPerSecond)));
}

QString estimateLabel(qint64 characters, double coefficient)
{
    return QStringLiteral("~ ") + formatDuration(estimateSeconds(characters, coefficient));
}

QString bookEstimateLabel(qint64 characters, double coefficient)
{
    const qint64 seconds = estimateSeconds(characters, coefficient);
    const qint64 steps = (seconds * 2 + kBookRounding) / (kBookRounding * 2);
    return QStringLiteral("~ ") + formatDuration(steps * kBookRounding);
}
