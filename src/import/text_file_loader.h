#pragma once
// Plain-text books. Files with a UTF-8 or UTF-16 byte-order mark, or text
// that is almost all valid UTF-8, are decoded as such; everything else is in
// the Cyrillic code page its letters read best in (Windows-1251, KOI8-R,
// DOS CP866, ISO-8859-5 or MacCyrillic), unless the user chose one.

#include "import/book_file_encoding.h"
#include "import/reading_report.h"

#include <QByteArray>
#include <QString>

// The book text of a plain-text file's bytes, line breaks not yet normalised.
QString decodeTextBook(const QByteArray &bytes, ReadingReport *report = nullptr,
                       BookFileEncoding encoding = BookFileEncoding::Automatic);
