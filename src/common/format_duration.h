#pragma once

#include <QString>

// Seconds as hh:mm:ss, each part at least two digits (hours may have more);
// fractions are dropped, and 0 or less gives 00:00:00.
QString formatDuration(double seconds);
