#include "import/fb2_file.h"

#include "common/text_codec.h"

#include <QStringDecoder>

namespace {

// Enough of the file for its XML declaration.
constexpr qsizetype kDeclarationLength = 512;

} // namespace

QString fb2DeclaredEncoding(const QString &fileText)
{
    const qsizetype declaration = fileText.indexOf(QStringLiteral("<?xml"));
    if (declaration < 0)
        return {};
    const qsizetype declarationEnd = fileText.indexOf(QLatin1Char('>'), declaration);
    const QStringView head =
        QStringView(fileText).mid(declaration, declarationEnd < 0 ? -1 : declarationEnd - declaration);
    const qsizetype value = head.indexOf(u"encoding=\"");
    if (value < 0)
        return {};
    const qsizetype from = value + 10;
    const qsizetype end = head.indexOf(u'"', from);
    return end < 0 ? QString() : head.mid(from, end - from).toString();
}

QString decodeFb2File(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return Codec::decodeUserFile(bytes);
    const QString encoding = fb2DeclaredEncoding(QString::fromLatin1(bytes.left(kDeclarationLength))).toLower();
    if (encoding == u"utf-8" || encoding == u"utf8")
        return QString::fromUtf8(bytes);
    if (encoding == u"windows-1251" || encoding == u"cp1251")
        return Codec::fromCp1251(bytes);
    if (!encoding.isEmpty()) {
        QStringDecoder decoder(encoding.toLatin1().constData());
        if (decoder.isValid())
            return decoder(bytes);
    }
    return Codec::decodeUserFile(bytes);
}
