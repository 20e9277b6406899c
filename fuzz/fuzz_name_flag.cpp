// Any line parses or is skipped; a formatted record parses back unchanged.
#include "common/name_flag_list.h"
#include "common/text_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        Codec::fromCp1251(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    (void)parseNameFlagLine(text);
    QString name = text;
    name.remove(u'\r').remove(u'\n');
    // Names are stored as they are; surrounding blanks are not kept by the
    // reader, so a name is compared without them.
    name = name.trimmed();
    const NameFlag record{name, size % 2 == 0};
    const auto back = parseNameFlagLine(formatNameFlagLine(record));
    if (!back || back->name != record.name || back->flag != record.flag)
        std::abort();
    return 0;
}
