#include "app/block_range.h"

namespace {

std::optional<int> blockNumber(const QString &text, int blockCount)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1 || n > blockCount)
        return std::nullopt;
    return n;
}

} // namespace

std::optional<BlockRange> acceptFirstBlock(const QString &text, const BlockRange &current, int blockCount)
{
    const auto n = blockNumber(text, blockCount);
    if (!n)
        return std::nullopt;
    return BlockRange{*n, std::max(*n, current.last)};
}

std::optional<BlockRange> acceptLastBlock(const QString &text, const BlockRange &current, int blockCount)
{
    const auto n = blockNumber(text, blockCount);
    if (!n)
        return std::nullopt;
    return BlockRange{std::min(*n, current.first), *n};
}

QString badBlockNumberMessage(int blockCount)
{
    return QStringLiteral("Неправильный номер блока!\nВведите число от 1 до %1").arg(blockCount);
}
