#include "import/editor_estimate.h"

#include "common/format_duration.h"

#include <cmath>

namespace {

// The slider's step in seconds, and the rounding of a whole book's estimate.
constexpr double kSecondsPerStep = 30.0;
constexpr qint64 kBookRounding = 300;

} // namespace

QString sizeTextForSliderPosition(int position, const SpeakingRate &rate)
{
    if (rate.coefficient <= 0)
        return QString();
    return QString::number(rate.characters(position * kSecondsPerStep), 'g', 15);
}

int sliderPositionForSize(double characters, const SpeakingRate &rate)
{
    if (rate.wavBytesPerSecond <= 0)
        return 0;
    const double seconds = characters * rate.coefficient * 100.0 / rate.wavBytesPerSecond;
    return int(std::lround(seconds / kSecondsPerStep));
}

QString estimateLabel(qint64 characters, const SpeakingRate &rate)
{
    return QStringLiteral("~ ") + formatDuration(rate.seconds(characters));
}

QString bookEstimateLabel(qint64 characters, const SpeakingRate &rate)
{
    const qint64 seconds = rate.seconds(characters);
    const qint64 steps = (seconds * 2 + kBookRounding) / (kBookRounding * 2);
    return QStringLiteral("~ ") + formatDuration(steps * kBookRounding);
}
