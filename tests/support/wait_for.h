#pragma once

#include <QElapsedTimer>
#include <QThread>

#include <functional>

// Polls until `done` holds; the wait is generous so a busy machine passes.
inline bool waitFor(const std::function<bool()> &done, int msecs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > msecs)
            return false;
        QThread::msleep(20);
    }
    return true;
}
