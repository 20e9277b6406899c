#include "audiobook/m4b_from_aac.h"

#include "audiobook/aac_block_files.h"

ProcessRequest m4bFromAacRequest(const BookFileInputs &inputs)
{
    // Every path given here is absolute, so none reads as an option or a
    // protocol name.
    QStringList args = {
        QStringLiteral("-nostdin"),   QStringLiteral("-hide_banner"), QStringLiteral("-v"),     QStringLiteral("error"),
        QStringLiteral("-y"),         QStringLiteral("-f"),           QStringLiteral("concat"), QStringLiteral("-safe"),
        QStringLiteral("0"),          QStringLiteral("-i"),           inputs.concatList,        QStringLiteral("-f"),
        QStringLiteral("ffmetadata"), QStringLiteral("-i"),           inputs.metadata};
    if (!inputs.cover.isEmpty())
        args << QStringLiteral("-i") << inputs.cover;
    args << QStringLiteral("-map") << QStringLiteral("0:a") << QStringLiteral("-map_metadata") << QStringLiteral("1")
         << QStringLiteral("-map_chapters") << QStringLiteral("1");
    if (!inputs.cover.isEmpty())
        args << QStringLiteral("-map") << QStringLiteral("2:v") << QStringLiteral("-c:v") << QStringLiteral("copy")
             << QStringLiteral("-disposition:v:0") << QStringLiteral("attached_pic");
    // The join list places each block at the end of the one before as it
    // plays alone, where its priming packet would overlap the last packets
    // before it; numbered anew, packet N starts at N frames less the
    // priming.
    args << QStringLiteral("-c:a") << QStringLiteral("copy") << QStringLiteral("-bsf:a")
         << QStringLiteral("setts=ts=N*%1-%1").arg(kAacFrameSamples);
    args << QStringLiteral("-movflags") << QStringLiteral("+faststart") << QStringLiteral("-f")
         << QStringLiteral("ipod") << inputs.output;
    ProcessRequest request;
    request.program = inputs.ffmpeg;
    request.arguments = args;
    request.captureErrorOutput = true;
    return request;
}
