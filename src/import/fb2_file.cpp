#include "import/fb2_file.h"

#include "import/book_encoding.h"

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

QString decodeFb2File(const QByteArray &bytes, ReadingReport *report, BookFileEncoding encoding)
{
    const QString declared = fb2DeclaredEncoding(QString::fromLatin1(bytes.left(kDeclarationLength)));
    return decodeBookBytes(bytes, declared, report, encoding);
}
