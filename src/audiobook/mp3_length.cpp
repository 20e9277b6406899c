#include "audiobook/mp3_length.h"

#include <QFile>

#include <taglib/mpegfile.h>
#include <taglib/mpegproperties.h>
#include <taglib/xingheader.h>

namespace {

int samplesPerFrame(const TagLib::MPEG::Properties &properties)
{
    switch (properties.layer()) {
    case 1: return 384;
    case 2: return 1152;
    default: return properties.version() == TagLib::MPEG::Header::Version1 ? 1152 : 576;
    }
}

} // namespace

std::optional<double> mp3HeaderSeconds(const QString &path)
{
    TagLib::MPEG::File file(QFile::encodeName(path).constData(), true, TagLib::AudioProperties::Fast);
    const TagLib::MPEG::Properties *properties = file.isValid() ? file.audioProperties() : nullptr;
    if (!properties || properties->sampleRate() <= 0)
        return std::nullopt;
    const TagLib::MPEG::XingHeader *header = properties->xingHeader();
    if (!header || !header->isValid() || header->totalFrames() == 0)
        return std::nullopt;
    return double(header->totalFrames()) * samplesPerFrame(*properties) / properties->sampleRate();
}
