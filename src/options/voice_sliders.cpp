#include "options/voice_sliders.h"

#include "recording/speech/voice_table.h"

#include <algorithm>
#include <cmath>

SliderRange voiceSliderRange(MarkupKind voiceKind, VoiceColumn column)
{
    if (column == VoiceColumn::Pause)
        return {0, 3000, 500, 10};
    if (voiceKind == MarkupKind::PlainText)
        return {25, 200, 100, 1};
    return {-10, 10, 0, 1};
}

SliderRange blockPauseRange()
{
    return {0, 10000, 0, 100};
}

int clampBoxText(const QString &text, const SliderRange &range)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    const double value = ok && std::isfinite(number) ? std::round(number) : 0.0;
    return static_cast<int>(std::clamp(value, double(range.minimum), double(range.maximum)));
}
