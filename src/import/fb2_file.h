#pragma once
// Reading FictionBook files: the bytes are decoded in the encoding the XML
// declaration names (UTF-8, UTF-16, Windows-1251, ...) unless the bytes say
// otherwise; without a declaration text that is almost all valid UTF-8 is
// UTF-8 and anything else the Cyrillic code page its letters read best in
// (see book_encoding.h).

#include "import/book_file_encoding.h"
#include "import/reading_report.h"

#include <QByteArray>
#include <QString>

// The encoding named in the file's XML declaration, exactly as written
// (empty when there is none).
QString fb2DeclaredEncoding(const QString &fileText);

QString decodeFb2File(const QByteArray &bytes, ReadingReport *report = nullptr,
                      BookFileEncoding encoding = BookFileEncoding::Automatic);
