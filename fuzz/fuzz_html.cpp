// The HTML converter takes any page: no crash, no hang.
#include "import/html_converter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)prepareHtml(bytes);
    (void)htmlToText(bytes);
    return 0;
}
