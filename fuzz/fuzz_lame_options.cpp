// Any option string sets a state the control can show, and the string that
// state gives sets the same state again.
#include "mp3/lame_options.h"

#include "common/text_codec.h"

#include <cstdlib>

namespace {

bool showable(const LameOptions &o)
{
    return o.bitratePosition >= LameOptions::kFirstBitratePosition
           && o.bitratePosition <= LameOptions::kLastBitratePosition && o.quality >= LameOptions::kBestQuality
           && o.quality <= LameOptions::kSmallestQuality && o.averageBitrate >= LameOptions::kLowestAverage
           && o.averageBitrate <= LameOptions::kHighestAverage;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    LameOptions options;
    options.parseLameOptions(
        Codec::fromCp1251(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))));
    if (!showable(options))
        std::abort();
    (void)options.megabytesPerMinute();
    (void)options.bitrateCaption();
    const QString string = options.lameOptionString();
    LameOptions again;
    again.parseLameOptions(string);
    if (again.lameOptionString() != string)
        std::abort();
    return 0;
}
