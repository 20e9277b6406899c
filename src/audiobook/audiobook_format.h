#pragma once
// The kinds of audiobook a recording makes, as the command line names them
// ("mp3", "m4b", "mp3-book") and the options window shows them.

#include "app/settings.h"

#include <QStringList>

#include <optional>

QString audiobookFormatName(AudiobookFormat format);
std::optional<AudiobookFormat> audiobookFormatFromName(const QString &name);

// The options window's list, in the order of AudiobookFormat.
QStringList audiobookFormatCaptions();
