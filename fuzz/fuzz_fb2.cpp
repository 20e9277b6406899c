// A FictionBook file of any bytes: its encoding is read, its description
// and its text are converted without a crash or a hang, however deep it
// nests and however often it links its notes.
#include "import/book_encoding.h"
#include "import/fb2_description.h"
#include "import/fb2_file.h"
#include "import/fb2_to_text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = decodeFb2File(bytes);
    (void)fb2Information(readFb2Description(text));
    (void)fb2ToText(text);
    (void)decodeXmlReferences(text);
    // Whatever the bytes, the decision between encodings replaces no more
    // bytes than there are.
    ReadingReport report;
    (void)decodeBookBytes(bytes, QStringLiteral("utf-8"), &report);
    if (report.replacedBytes > bytes.size())
        std::abort();
    return 0;
}
