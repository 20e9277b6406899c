// Any line of the engine's exception dictionary parses or is skipped, in
// both notations; rows the program writes read back unchanged (all but a
// row with nothing in it, which is dropped).
#include "dictionaries/dictionary_file.h"
#include "dictionaries/exception_dictionary.h"

#include "common/text_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString all =
        Codec::fromCp1251(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const QStringList lines = splitDictionaryLines(all);
    QList<ExceptionRow> rows;
    for (const QString &line : lines) {
        (void)parseExceptionLine(line, true);
        if (auto row = parseExceptionLine(line, false); row && *row != ExceptionRow{})
            rows.append(*row);
    }
    (void)convertExceptionLines(lines);

    QList<ExceptionRow> back;
    for (const QString &line : exceptionFileLines(rows, QStringLiteral("1.0")))
        if (auto row = parseExceptionLine(line, false))
            back.append(*row);
    if (back != rows)
        std::abort();
    return 0;
}
