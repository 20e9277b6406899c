#include "mp3/lame_options.h"

#include <QStringList>

#include <algorithm>

namespace {

std::optional<int> numberIn(const QString &word, int lowest, int highest)
{
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

void LameOptions::parseLameOptions(const QString &par)
{
    const QStringList words = par.split(u' ');
    optimisation = LameOptimisation::None;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        const bool takesValue = word == u"-b" || word == u"-V" || word == u"--abr";
        if (takesValue) {
            mode = word == u"-b"   ? LameMode::ConstantBitrate
                   : word == u"-V" ? LameMode::VariableQuality
                                   : LameMode::AverageBitrate;
            if (++i >= words.size())
                return;
        }
        const QString &value = words[i];
        if (word == u"-b") {
            const auto rate = numberIn(value, kBitrates.front(), kBitrates.back());
            const auto it = rate ? std::find(kBitrates.begin(), kBitrates.end(), *rate) : kBitrates.end();
            if (it != kBitrates.end())
                bitratePosition = int(it - kBitrates.begin()) + 1;
        } else if (word == u"-V") {
            quality = numberIn(value, kBestQuality, kSmallestQuality).value_or(quality);
        } else if (word == u"--abr") {
            averageBitrate = numberIn(value, kLowestAverage, kHighestAverage).value_or(averageBitrate);
        } else if (word == u"-h") {
            optimisation = LameOptimisation::Quality;
        } else if (word == u"-f") {
            optimisation = LameOptimisation::Speed;
        }
    }
}

QString LameOptions::lameOptionString() const
{
    QString text;
    switch (mode) {
    case LameMode::None: return text;
    case LameMode::ConstantBitrate: text = QStringLiteral("-b ") + QString::number(bitrate()); break;
    case LameMode::VariableQuality: text = QStringLiteral("-V ") + QString::number(quality); break;
    case LameMode::AverageBitrate: text = QStringLiteral("--abr ") + QString::number(averageBitrate); break;
    }
    if (optimisation == LameOptimisation::Quality)
        text += QStringLiteral(" -h");
    else if (optimisation == LameOptimisation::Speed)
        text += QStringLiteral(" -f");
    return text;
}

std::optional<double> LameOptions::megabytesPer(int seconds) const
{
    double rate = 0;
    if (mode == LameMode::ConstantBitrate)
        rate = bitrate();
    else if (mode == LameMode::AverageBitrate)
        rate = averageBitrate;
    else
        return std::nullopt;
    return rate * 1000 / 8 * seconds / 1024 / 1024;
}

std::optional<double> LameOptions::megabytesPerMinute() const
{
    return megabytesPer(60);
}

std::optional<double> LameOptions::megabytesPerHour() const
{
    return megabytesPer(3600);
}

QString LameOptions::bitrateCaption() const
{
    return QStringLiteral("Битрейт: %1 Kbps").arg(bitrate());
}

QString LameOptions::qualityCaption() const
{
    return QStringLiteral("Q= %1").arg(quality) + qualityWord(quality);
}

QString LameOptions::averageBitrateCaption() const
{
    return QStringLiteral("Средний битрейт: %1 Kbps").arg(averageBitrate);
}

QString LameOptions::qualityWord(int quality)
{
    if (quality <= 1)
        return QStringLiteral(" (Отличное качество)");
    if (quality <= 3)
        return QStringLiteral(" (Хорошее качество)");
    if (quality <= 6)
        return QStringLiteral(" (Среднее качество)");
    if (quality <= 8)
        return QStringLiteral(" (Низкое качество)");
    return QStringLiteral(" (Плохое качество)");
}
