#include "audiobook/m4b_from_aac.h"

#include "audiobook/aac_block_files.h"

ProcessRequest m4bFromAacRequest(const BookFileInputs &inputs)
{
    QStringList args = m4bInputArguments(inputs);
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
