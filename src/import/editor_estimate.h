#pragma once
// The book editor's two views of the maximum block size (characters in the
// size field, about 30-second steps on the duration slider) and its time
// labels. The coefficient is the main window's reading speed "Коэффициент1".

#include <QString>

// The size field's text for slider position `position`: position × 30 s of
// speech in characters, as a decimal number with up to 15 significant digits
// (position 10 at coefficient 21 gives "4571.42857142857").
QString sizeTextForSliderPosition(int position, double coefficient);

// The slider position nearest to `characters` characters.
int sliderPositionForSize(double characters, double coefficient);

// "~ " and the estimated speaking time of `characters` characters.
QString estimateLabel(qint64 characters, double coefficient);

// "~ " and the estimate of a whole book rounded to the nearest 5 minutes
// (a half step goes up: 3150 s shows as 00:55:00).
QString bookEstimateLabel(qint64 characters, double coefficient);
