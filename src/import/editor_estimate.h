#pragma once
// The book editor's two views of the maximum block size (characters in the
// size field, about 30-second steps on the duration slider) and its time
// labels, at the speaking rate of the voice and "Коэффициент1".

#include "import/speaking_rate.h"

#include <QString>

// The size field's text for slider position `position`: position × 30 s of
// speech in characters, as a decimal number with up to 15 significant digits.
QString sizeTextForSliderPosition(int position, const SpeakingRate &rate);

// The slider position nearest to `characters` characters.
int sliderPositionForSize(double characters, const SpeakingRate &rate);

// "~ " and the estimated speaking time of `characters` characters.
QString estimateLabel(qint64 characters, const SpeakingRate &rate);

// "~ " and the estimate of a whole book rounded to the nearest 5 minutes
// (a half step goes up).
QString bookEstimateLabel(qint64 characters, const SpeakingRate &rate);
