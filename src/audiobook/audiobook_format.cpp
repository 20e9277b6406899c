#include "audiobook/audiobook_format.h"

#include <array>

namespace {

struct FormatNames
{
    AudiobookFormat format;
    const char *name;
    const char *caption;
};

const std::array<FormatNames, 3> kFormats{{
    {AudiobookFormat::BlockMp3, "mp3", "MP3, файл на блок"},
    {AudiobookFormat::M4bBook, "m4b", "M4B, одна книга с главами"},
    {AudiobookFormat::Mp3Book, "mp3-book", "MP3, одна книга с главами"},
}};

} // namespace

QString audiobookFormatName(AudiobookFormat format)
{
    for (const FormatNames &f : kFormats)
        if (f.format == format)
            return QString::fromUtf8(f.name);
    return {};
}

std::optional<AudiobookFormat> audiobookFormatFromName(const QString &name)
{
    for (const FormatNames &f : kFormats)
        if (name == QLatin1String(f.name))
            return f.format;
    return std::nullopt;
}

QStringList audiobookFormatCaptions()
{
    QStringList captions;
    for (const FormatNames &f : kFormats)
        captions << QString::fromUtf8(f.caption);
    return captions;
}
