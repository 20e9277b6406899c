#include "recording/encoder_pool.h"

#include <QThread>

#include <algorithm>

EncoderPool::EncoderPool(int jobs)
{
    setJobs(jobs);
}

int EncoderPool::jobsForSetting(int setting)
{
    if (setting > 0)
        return std::min(setting, kMostJobs);
    return std::max(1, QThread::idealThreadCount());
}

void EncoderPool::setJobs(int jobs)
{
    m_jobs = std::max(1, jobs);
}

bool EncoderPool::start(const ProcessRequest &request, const EncoderRun &run)
{
    auto process = std::make_unique<ProcessRunner>();
    if (m_runEndNotice)
        process->setEndNotice(m_runEndNotice);
    // The pool follows its runs itself; a wait here would hold up the others.
    ProcessRequest started = request;
    started.settleMsecs = 0;
    if (!process->runProcess(started))
        return false;
    m_slots.push_back({run, std::move(process)});
    return true;
}

QList<EncoderRun> EncoderPool::running() const
{
    QList<EncoderRun> runs;
    for (const Slot &slot : m_slots)
        runs.append(slot.run);
    return runs;
}

QList<EndedEncoderRun> EncoderPool::takeEnded()
{
    QList<EndedEncoderRun> ended;
    auto it = m_slots.begin();
    while (it != m_slots.end()) {
        if (!it->process->hasEnded()) {
            ++it;
            continue;
        }
        ended.append({it->run, it->process->lastExitCode()});
        it = m_slots.erase(it);
    }
    return ended;
}

void EncoderPool::stop(const EncoderRun &run)
{
    for (Slot &slot : m_slots)
        if (slot.run.block == run.block && slot.run.book == run.book)
            slot.process->terminate();
}

QList<EncoderRun> EncoderPool::stopAll()
{
    QList<EncoderRun> stopped;
    for (Slot &slot : m_slots) {
        slot.process->terminate();
        stopped.append(slot.run);
    }
    m_slots.clear();
    return stopped;
}
