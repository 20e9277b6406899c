#include "recording/system_clock.h"

#include <QEventLoop>
#include <QTime>
#include <QTimer>

double SystemRecordingClock::secondsOfDay() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void SystemRecordingClock::pauseFor(int msecs)
{
    if (msecs <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}
