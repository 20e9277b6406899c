#pragma once
// The numbers shown while a book is recorded: block numbers, percentages,
// durations and the smoothed estimate of the whole recording's time.

#include "common/format_duration.h"

#include <QString>

#include <optional>

// The number as text without a leading blank.
QString numberText(double x);
// The percentage with two decimals and a percent sign: 42.5 gives "42.50%".
QString percentText(double x);

// The smoothed estimate of the total recording time. It starts empty with
// each recording and blends every new measurement into the last estimate.
class TimeEstimate
{
public:
    void reset() { m_estimate = 0; }
    // Nothing during the first 90 seconds unless at least 1 percent is done.
    // Following the engine's position the estimate moves slowly (0.6 % per
    // look), following the file size faster (20 %).
    std::optional<double> estimateTotal(double elapsed, double percentDone, bool followEngine);

private:
    double m_estimate = 0;
};
