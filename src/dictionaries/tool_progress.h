#pragma once
// Progress and cancelling for the long dictionary tools. The window passes
// callbacks; reports reach it at most every half second so that a run over
// 100,000 entries does not spend its time drawing a progress bar.

#include <QElapsedTimer>
#include <QString>

#include <functional>

struct ToolProgress
{
    std::function<void(int percent, const QString &status)> report;
    std::function<bool()> cancelled;

    bool isCancelled() const { return cancelled && cancelled(); }
};

// Passes a report on only when strictly more than the interval has passed
// since the last one.
class ProgressThrottle
{
public:
    explicit ProgressThrottle(const ToolProgress &progress, int intervalMs = 500)
        : m_progress(progress), m_intervalMs(intervalMs)
    {
        m_clock.start();
    }

    void report(qint64 done, qint64 total, const std::function<QString()> &status)
    {
        if (!m_progress.report || m_clock.elapsed() <= m_intervalMs)
            return;
        m_clock.restart();
        m_progress.report(total > 0 ? int(done * 100 / total) : 100, status());
    }

private:
    const ToolProgress &m_progress;
    int m_intervalMs;
    QElapsedTimer m_clock;
};
