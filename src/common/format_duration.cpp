#include "common/format_duration.h"

#include <cmath>

QString formatDuration(double seconds)
{
    if (!(seconds > 0))
        return QStringLiteral("00:00:00");
    const qint64 s = std::llround(std::floor(seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}
