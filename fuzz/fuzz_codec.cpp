// Every byte string decodes, a character a byte in every code page;
// Windows-1251 round-trips; user files decode.
#include "common/text_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (Codec::toCp1251(Codec::fromCp1251(bytes)) != bytes)
        std::abort();
    using Codec::CodePage;
    for (const CodePage codePage :
         {CodePage::Windows1251, CodePage::Koi8R, CodePage::Cp866, CodePage::Iso88595, CodePage::MacCyrillic})
        if (Codec::fromCodePage(bytes, codePage).size() != bytes.size())
            std::abort();
    (void)Codec::decodeUserFile(bytes);
    (void)Codec::toCp1251(QString::fromUtf8(bytes));
    return 0;
}
