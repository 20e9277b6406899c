#include "audiobook/aac_block_files.h"

#include "audiobook/aac_bit_rate.h"
#include "mp3/lame_command.h"
#include "mp3/wav_duration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {

// The resampler may give a few samples fewer than the exact ratio; the cut
// stays that far inside the sound.
constexpr qint64 kResamplerMargin = 32;

// The sound's samples at the book's rate, cut down to whole frames; 0 when
// the WAV cannot be read or holds less than two frames (left whole then).
qint64 wholeFrameSamples(const QString &wav)
{
    const std::optional<double> seconds = wavExactSeconds(wav);
    if (!seconds)
        return 0;
    const qint64 samples = qint64(std::floor(*seconds * kAacBlockSampleRate)) - kResamplerMargin;
    const qint64 frames = samples / kAacFrameSamples;
    return frames >= 2 ? frames * kAacFrameSamples : 0;
}

} // namespace

bool recordsAacBlocks(const Settings &settings)
{
    return settings.audiobookFormat == AudiobookFormat::M4bBook && settings.deleteBlockMp3;
}

ProcessRequest aacBlockRequest(const QString &ffmpeg, const QString &wav, const QString &output, int aacKbps)
{
    QString filter = QStringLiteral("aresample=%1").arg(kAacBlockSampleRate);
    if (const qint64 samples = wholeFrameSamples(wav))
        filter += QStringLiteral(",atrim=end_sample=%1").arg(samples);
    ProcessRequest request;
    request.program = ffmpeg;
    // Paths are absolute, so none reads as an option or a protocol name. The
    // "fast" coder costs about what the MP3 encoder does (FFmpeg's default
    // search costs three times that) at the same bit rate.
    request.arguments = {QStringLiteral("-nostdin"),
                         QStringLiteral("-hide_banner"),
                         QStringLiteral("-v"),
                         QStringLiteral("error"),
                         QStringLiteral("-y"),
                         QStringLiteral("-i"),
                         wav,
                         QStringLiteral("-map"),
                         QStringLiteral("0:a"),
                         QStringLiteral("-af"),
                         filter,
                         QStringLiteral("-c:a"),
                         QStringLiteral("aac"),
                         QStringLiteral("-aac_coder"),
                         QStringLiteral("fast"),
                         QStringLiteral("-b:a"),
                         QStringLiteral("%1k").arg(aacKbps),
                         QStringLiteral("-ac"),
                         QStringLiteral("1"),
                         QStringLiteral("-map_metadata"),
                         QStringLiteral("-1"),
                         QStringLiteral("-f"),
                         QStringLiteral("ipod"),
                         output};
    request.captureErrorOutput = true;
    return request;
}

bool AacBlockFiles::mp3Exists(int n)
{
    return !existingM4aName(m_book, n).isEmpty();
}

std::optional<ProcessRequest> AacBlockFiles::encoderJob(int n)
{
    const QString wav = m_book.audioFolder + u'/' + ::wavFileName(m_book, n);
    const QFileInfo wavInfo(wav);
    if (wavInfo.exists() && wavInfo.size() <= kEmptyWavBytes)
        return std::nullopt;
    QString m4a = m_book.audioFolder + u'/' + mp3FileName(m_book, n, wavDuration(wav));
    m4a.chop(4);
    m4a += QStringLiteral(".m4a");
    const QString part = m4a + kPartialMp3Suffix;
    m_mp3Paths.insert(n, m4a);
    m_partPaths.insert(n, part);
    return aacBlockRequest(m_ffmpeg, QFileInfo(wav).absoluteFilePath(), QFileInfo(part).absoluteFilePath(),
                           aacBitRate(m_book.settings.lameParameters));
}

bool AacBlockFiles::keepEncodedMp3(int n)
{
    const QString part = m_partPaths.value(n);
    const QString m4a = m_mp3Paths.value(n);
    const QFileInfo written(part);
    if (part.isEmpty() || !written.isFile() || written.size() <= 0)
        return false;
    // A block recorded again replaces its old file, whatever its length.
    const QString old = existingM4aName(m_book, n);
    if (!old.isEmpty() && !QFile::remove(m_book.audioFolder + u'/' + old))
        return false;
    return QFile::rename(part, m4a);
}
