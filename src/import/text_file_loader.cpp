#include "import/text_file_loader.h"

#include "import/book_encoding.h"

QString decodeTextBook(const QByteArray &bytes, ReadingReport *report, BookFileEncoding encoding)
{
    return decodeBookBytes(bytes, QString(), report, encoding);
}
