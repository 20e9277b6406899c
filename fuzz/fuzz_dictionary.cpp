// A dictionary file of any bytes, applied by the engine, gives exactly what
// the plain sequential rewrite gives. The input is the dictionary's lines, a
// line holding only "%%" and the text; sizes are bounded because the
// reference is slow on purpose.
#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_file.h"

#include "common/text_codec.h"
#include "sequential_reference.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    const QString all =
        Codec::fromCp1251(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const qsizetype cut = all.indexOf(QStringLiteral("\r\n%%\r\n"));
    const QString dictionary = cut < 0 ? all : all.left(cut);
    const QString text = cut < 0 ? all : all.mid(cut + 6);

    DictionaryTable table;
    const QStringList lines = splitDictionaryLines(dictionary);
    for (const QString &line : lines.mid(0, 40))
        if (const auto entry = parseEntryLine(line))
            table.append(*entry);
    // A table that makes the text grow without end is stopped by the engine
    // (the reference would follow it to the end of memory).
    int runaway = -1;
    const QString rewritten = DictionaryEngine(table).apply(text, {}, &runaway);
    if (runaway >= 0)
        return 0;
    if (rewritten != referenceApply(table, text))
        std::abort();
    return 0;
}
