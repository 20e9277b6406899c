// Every byte string decodes; Windows-1251 round-trips; user files decode.
#include "common/text_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (Codec::toCp1251(Codec::fromCp1251(bytes)) != bytes)
        std::abort();
    (void)Codec::fromCp866(bytes);
    (void)Codec::decodeUserFile(bytes);
    (void)Codec::toCp1251(QString::fromUtf8(bytes));
    return 0;
}
