#include "recording/progress_texts.h"

#include <QLocale>

#include <cmath>

QString numberText(double x)
{
    return QLocale::c().toString(x, 'g', 15);
}

QString percentText(double x)
{
    return QLocale::c().toString(x, 'f', 2) + u'%';
}

std::optional<double> TimeEstimate::estimateTotal(double elapsed, double percentDone, bool followEngine)
{
    if (!(percentDone > 0) || (elapsed < 90 && percentDone < 1))
        return std::nullopt;
    const double current = elapsed / (percentDone / 100);
    if (m_estimate > 0)
        m_estimate = followEngine ? m_estimate * 0.994 + current * 0.006 : m_estimate * 0.8 + current * 0.2;
    else
        m_estimate = current;
    return m_estimate;
}
