#pragma once
// The encoder's option string as three modes (constant bit rate, variable bit
// rate by quality, average bit rate), a value per mode and an optimisation
// choice; the options control shows this state and edits it.

#include <QString>

#include <array>
#include <optional>

enum class LameMode { None, ConstantBitrate, VariableQuality, AverageBitrate };
enum class LameOptimisation { None, Quality, Speed };

class LameOptions
{
public:
    // Constant bit rates in kbit/s for slider positions 1 to 16 (no 40).
    static constexpr std::array<int, 16> kBitrates{8,  16,  24,  32,  48,  56,  64,  80,
                                                   96, 112, 128, 160, 192, 224, 256, 320};
    static constexpr int kFirstBitratePosition = 1;
    static constexpr int kLastBitratePosition = 16;
    static constexpr int kBestQuality = 0;
    static constexpr int kSmallestQuality = 9;
    static constexpr int kLowestAverage = 8;
    static constexpr int kHighestAverage = 320;

    LameMode mode = LameMode::ConstantBitrate;
    int bitratePosition = 7; // 64 kbit/s
    int quality = 5;
    int averageBitrate = 64;
    LameOptimisation optimisation = LameOptimisation::None;

    int bitrate() const { return kBitrates[bitratePosition - 1]; }

    // Sets the state from an option string: "-b", "-V" and "--abr" with their
    // values, "-h" and "-f"; other words are skipped, a value the control
    // cannot show keeps the previous one, a missing value ends the walk.
    void parseLameOptions(const QString &par);
    // "-b 128", "-V 4" or "--abr 96", then " -h" or " -f"; empty without a mode.
    QString lameOptionString() const;
    // Megabytes of output per minute / hour; nothing for variable bit rate.
    std::optional<double> megabytesPerMinute() const;
    std::optional<double> megabytesPerHour() const;

    QString bitrateCaption() const;        // "Битрейт: 128 Kbps"
    QString qualityCaption() const;        // "Q= 4 (Среднее качество)"
    QString averageBitrateCaption() const; // "Средний битрейт: 96 Kbps"
    static QString qualityWord(int quality);

private:
    std::optional<double> megabytesPer(int seconds) const;
};
