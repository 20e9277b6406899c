// The wildcard matcher ends on any text and pattern, and a pattern without
// special characters matches exactly itself.
#include "common/like_matcher.h"
#include "common/text_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString all =
        Codec::fromCp1251(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const qsizetype cut = all.indexOf(u'\n');
    const QString pattern = cut < 0 ? all : all.left(cut);
    const QString text = cut < 0 ? all : all.mid(cut + 1);
    (void)like(text, pattern);
    static const QString special = QStringLiteral("?*#[");
    bool plain = true;
    for (QChar c : text)
        plain = plain && !special.contains(c);
    if (plain && !like(text, text))
        std::abort();
    return 0;
}
