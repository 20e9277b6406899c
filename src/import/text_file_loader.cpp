#include "import/text_file_loader.h"

#include "import/book_encoding.h"

#include "common/text_codec.h"

namespace {

constexpr qsizetype kDosSampleLength = 1000;

} // namespace

QString fromDosIfCp866(const QString &text)
{
    const QChar dosO = Codec::cp1251Char(0xAE);
    const QChar windowsO = Codec::cp1251Char(0xEE);
    int dosCount = 0;
    int windowsCount = 0;
    for (const QChar c : QStringView(text).left(kDosSampleLength)) {
        if (c == dosO)
            ++dosCount;
        else if (c == windowsO)
            ++windowsCount;
    }
    if (dosCount <= windowsCount)
        return text;
    return Codec::fromCp866(Codec::toCp1251(text));
}

QString decodeTextBook(const QByteArray &bytes, ReadingReport *report)
{
    return decodeBookBytes(bytes, QString(), SingleByteGuess::Windows1251OrDos, report);
}
