#include "audiobook/book_file_commands.h"

namespace {

constexpr int kM4bSampleRate = 44100;

// Every path given here is absolute, so none reads as an option or a
// protocol name.
QStringList commonStart(const BookFileInputs &inputs)
{
    return {
        QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"), QStringLiteral("-v"),     QStringLiteral("error"),
        QStringLiteral("-y"),       QStringLiteral("-f"),           QStringLiteral("concat"), QStringLiteral("-safe"),
        QStringLiteral("0"),        QStringLiteral("-i"),           inputs.concatList};
}

ProcessRequest request(const QString &program, const QStringList &arguments)
{
    ProcessRequest request;
    request.program = program;
    request.arguments = arguments;
    request.captureErrorOutput = true;
    return request;
}

} // namespace

QStringList m4bInputArguments(const BookFileInputs &inputs)
{
    QStringList args = commonStart(inputs);
    args << QStringLiteral("-f") << QStringLiteral("ffmetadata") << QStringLiteral("-i") << inputs.metadata;
    if (!inputs.cover.isEmpty())
        args << QStringLiteral("-i") << inputs.cover;
    args << QStringLiteral("-map") << QStringLiteral("0:a") << QStringLiteral("-map_metadata") << QStringLiteral("1")
         << QStringLiteral("-map_chapters") << QStringLiteral("1");
    if (!inputs.cover.isEmpty())
        args << QStringLiteral("-map") << QStringLiteral("2:v") << QStringLiteral("-c:v") << QStringLiteral("copy")
             << QStringLiteral("-disposition:v:0") << QStringLiteral("attached_pic");
    return args;
}

ProcessRequest m4bRequest(const BookFileInputs &inputs, int aacKbps)
{
    QStringList args = m4bInputArguments(inputs);
    // The encoder's delay and padding at each block's ends would otherwise be
    // cut, and every chapter after the first would start early; async fills
    // them with silence so each block stays at its chapter's start. The AAC
    // is made at 44,100 Hz: at the voice's 22,050 Hz FFmpeg's AAC encoder
    // spends far more than the bit rate asked on speech (62.6 kb/s for 48
    // over an hour), at 44,100 Hz it keeps to it (47.8), and the empty upper
    // half of the band costs next to nothing.
    args << QStringLiteral("-af") << QStringLiteral("aresample=%1:async=1:first_pts=0").arg(kM4bSampleRate);
    args << QStringLiteral("-c:a") << QStringLiteral("aac") << QStringLiteral("-b:a")
         << QStringLiteral("%1k").arg(aacKbps) << QStringLiteral("-ac") << QStringLiteral("1");
    // The index first, so players can start before reading the whole file.
    args << QStringLiteral("-movflags") << QStringLiteral("+faststart") << QStringLiteral("-f")
         << QStringLiteral("ipod") << inputs.output;
    return request(inputs.ffmpeg, args);
}

ProcessRequest joinedMp3Request(const BookFileInputs &inputs)
{
    QStringList args = commonStart(inputs);
    args << QStringLiteral("-map") << QStringLiteral("0:a") << QStringLiteral("-c") << QStringLiteral("copy")
         << QStringLiteral("-map_metadata") << QStringLiteral("-1") << QStringLiteral("-id3v2_version")
         << QStringLiteral("0") << QStringLiteral("-write_xing") << QStringLiteral("1") << QStringLiteral("-f")
         << QStringLiteral("mp3") << inputs.output;
    return request(inputs.ffmpeg, args);
}
