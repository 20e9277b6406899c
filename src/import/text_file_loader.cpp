#include "import/text_file_loader.h"

#include "common/text_codec.h"

namespace {

constexpr qsizetype kDosSampleLength = 1000;

bool hasUnicodeMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

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

QString decodeTextBook(const QByteArray &bytes)
{
    if (hasUnicodeMark(bytes) || Codec::looksLikeUtf8(bytes))
        return Codec::decodeUserFile(bytes);
    return fromDosIfCp866(Codec::fromCp1251(bytes));
}
