#include "audiobook/aac_bit_rate.h"

#include "mp3/lame_options.h"

#include <algorithm>

namespace {

constexpr int kSpeechDefault = 64;
constexpr int kLowest = 32;
constexpr int kHighest = 128;

int mp3BitRate(const LameOptions &options)
{
    switch (options.mode) {
    case LameMode::ConstantBitrate: return options.bitrate();
    case LameMode::AverageBitrate: return options.averageBitrate;
    // Quality 0 (best) to 9 spans about 128 to 56 kb/s for speech.
    case LameMode::VariableQuality: return 128 - 8 * options.quality;
    case LameMode::None: break;
    }
    return 0;
}

} // namespace

int aacBitRate(const QString &lameParameters)
{
    LameOptions options;
    options.mode = LameMode::None;
    options.parseLameOptions(lameParameters);
    const int mp3 = mp3BitRate(options);
    if (mp3 <= 0)
        return kSpeechDefault;
    const int rate = (mp3 * 3 / 4 + 4) / 8 * 8;
    return std::clamp(rate, kLowest, kHighest);
}
