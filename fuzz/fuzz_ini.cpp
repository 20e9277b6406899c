// The INI reader takes any bytes; a write followed by a read gives the value
// back (at most 254 characters, line breaks stored as spaces).
#include "common/ini_file.h"
#include "common/text_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniDocument doc = IniDocument::fromText(Codec::fromCp1251(bytes));
    const QStringList lines = doc.lines();
    for (const QString &line : lines.mid(0, 20))
        (void)doc.read(line.left(8), line.mid(8, 8));
    const QString value = Codec::fromCp1251(bytes.left(300)).trimmed();
    doc.write(QStringLiteral("Fuzz"), QStringLiteral("Key"), value);
    const auto back = doc.read(QStringLiteral("fuzz"), QStringLiteral("KEY"));
    QString expected = value;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    expected = expected.trimmed();
    if (expected.size() >= 2 && (expected.front() == u'"' || expected.front() == u'\'')
        && expected.back() == expected.front())
        return 0; // quoted values read back without their quotes
    if (expected.isEmpty() ? back.has_value() : back != expected.left(IniDocument::kMaxValueLength))
        std::abort();
    return 0;
}
