#include "monitor_recording.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdlib>
#include <cstring>

namespace {

// A sample this far from zero is sound; the monitor of a device that plays
// nothing gives exact zeros.
constexpr int kLoudSample = 1000;

} // namespace

MonitorRecording::MonitorRecording(const PcmFormat &format) : m_path(m_dir.filePath(QStringLiteral("monitor.raw")))
{
    m_parec.setStandardOutputFile(m_path);
    m_parec.setStandardErrorFile(QProcess::nullDevice());
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("--device=@DEFAULT_MONITOR@"), QStringLiteral("--raw"),
                   QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(format.sampleRate),
                   QStringLiteral("--channels=%1").arg(format.channels), QStringLiteral("--latency-msec=20")});
    if (!m_parec.waitForStarted(10000))
        return;
    // Recording has begun once the first sound (silence) arrives.
    QElapsedTimer clock;
    clock.start();
    while (size() == 0 && m_parec.state() == QProcess::Running && clock.elapsed() < 10000)
        QThread::msleep(10);
    m_recording = size() > 0;
}

MonitorRecording::~MonitorRecording()
{
    m_parec.terminate();
    if (!m_parec.waitForFinished(5000))
        m_parec.kill();
    m_parec.waitForFinished(5000);
}

qint64 MonitorRecording::size() const
{
    return QFileInfo(m_path).size();
}

QByteArray MonitorRecording::since(qint64 mark) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(mark))
        return {};
    QByteArray pcm = file.readAll();
    pcm.chop(pcm.size() % 2);
    return pcm;
}

Loudness loudness(const QByteArray &pcm)
{
    Loudness result;
    const qint64 samples = pcm.size() / 2;
    for (qint64 i = 0; i < samples; ++i) {
        qint16 sample;
        std::memcpy(&sample, pcm.constData() + 2 * i, 2);
        const int level = std::abs(int(sample));
        result.peak = std::max(result.peak, level);
        if (level < kLoudSample)
            continue;
        if (result.first < 0)
            result.first = i;
        result.last = i;
    }
    return result;
}
