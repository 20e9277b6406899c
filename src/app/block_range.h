#pragma once
// Accepting a new first or last block typed into the range boxes.

#include "app/project_store.h"

#include <QString>

#include <optional>

// The new range when `text` is a whole number from 1 to `blockCount`; a first
// block beyond the last one moves the last block up to it (and a last block
// below the first moves the first block down). Nothing when refused.
std::optional<BlockRange> acceptFirstBlock(const QString &text, const BlockRange &current, int blockCount);
std::optional<BlockRange> acceptLastBlock(const QString &text, const BlockRange &current, int blockCount);

// "Неправильный номер блока!" + line break + "Введите число от 1 до" + count.
QString badBlockNumberMessage(int blockCount);
