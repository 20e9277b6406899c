// The RTF reader takes any bytes without a crash or a hang.
#include "import/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)rtfPlainText(readRtf(bytes));
    return 0;
}
