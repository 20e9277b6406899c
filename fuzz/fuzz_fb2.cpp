// A FictionBook file of any bytes: its encoding is read, its description
// and its text are converted without a crash or a hang.
#include "import/fb2_description.h"
#include "import/fb2_file.h"
#include "import/fb2_to_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = decodeFb2File(bytes);
    (void)fb2Information(readFb2Description(text));
    (void)fb2ToText(text);
    (void)decodeXmlReferences(text);
    return 0;
}
