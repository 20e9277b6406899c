#pragma once
// The options window's previews of the file-name and tag templates, built
// for a sample book exactly as the recording names its files and tags.

#include "app/settings.h"
#include "app/tag_info.h"

#include <QString>

// "КНИГА" by "Автор", project "Книга1", block 2 of 92 "Глава первая".
TagInfo sampleBook();
// The sample duration "%l%" shows.
inline const QString kSampleDuration = QStringLiteral("04-56");

// The MP3 name of the sample block under the settings' template and options.
QString fileNamePreview(const Settings &settings);
// One tag template expanded for the sample block, with the "Ё-Е" option.
QString tagPreview(const Settings &settings, const QString &tagTemplate);
