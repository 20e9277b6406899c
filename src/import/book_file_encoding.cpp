#include "import/book_file_encoding.h"

#include <QStringList>

namespace {

struct EncodingNames
{
    BookFileEncoding encoding;
    const char16_t *caption;
    // The first is the one the usage text shows; the others are common
    // spellings of the same encoding.
    QStringList names;
};

const QList<EncodingNames> &encodingNames()
{
    static const QList<EncodingNames> names = {
        {BookFileEncoding::Automatic, u"Автоматически", {QStringLiteral("auto")}},
        {BookFileEncoding::Windows1251,
         u"Windows-1251",
         {QStringLiteral("windows-1251"), QStringLiteral("cp1251"), QStringLiteral("win1251")}},
        {BookFileEncoding::Utf8, u"UTF-8", {QStringLiteral("utf-8"), QStringLiteral("utf8")}},
        {BookFileEncoding::Koi8R,
         u"KOI8-R",
         {QStringLiteral("koi8-r"), QStringLiteral("koi8r"), QStringLiteral("koi8")}},
        {BookFileEncoding::Cp866,
         u"CP866 (DOS)",
         {QStringLiteral("cp866"), QStringLiteral("ibm866"), QStringLiteral("866"), QStringLiteral("dos")}},
        {BookFileEncoding::Iso88595,
         u"ISO-8859-5",
         {QStringLiteral("iso-8859-5"), QStringLiteral("iso8859-5"), QStringLiteral("iso_8859-5")}},
        {BookFileEncoding::MacCyrillic,
         u"MacCyrillic",
         {QStringLiteral("mac-cyrillic"), QStringLiteral("maccyrillic"), QStringLiteral("x-mac-cyrillic")}},
    };
    return names;
}

} // namespace

const QList<BookFileEncoding> &bookFileEncodings()
{
    static const QList<BookFileEncoding> encodings = [] {
        QList<BookFileEncoding> list;
        for (const EncodingNames &entry : encodingNames())
            list.append(entry.encoding);
        return list;
    }();
    return encodings;
}

QString bookFileEncodingCaption(BookFileEncoding encoding)
{
    for (const EncodingNames &entry : encodingNames())
        if (entry.encoding == encoding)
            return QString::fromUtf16(entry.caption);
    return {};
}

std::optional<BookFileEncoding> bookFileEncodingFromName(const QString &name)
{
    const QString wanted = name.trimmed().toLower();
    for (const EncodingNames &entry : encodingNames())
        if (entry.names.contains(wanted))
            return entry.encoding;
    return std::nullopt;
}

QString bookFileEncodingNames()
{
    QStringList names;
    for (const EncodingNames &entry : encodingNames())
        names.append(entry.names.first());
    return names.join(QStringLiteral(", "));
}
