#pragma once
// Plain-text books. Files with a UTF-8 or UTF-16 byte-order mark, or text
// that is almost all valid UTF-8, are decoded as such; everything else is
// Windows-1251, unless it reads as DOS text (CP866).

#include "import/reading_report.h"

#include <QByteArray>
#include <QString>

// The text converted from CP866 when, among its first 1000 characters, "®"
// (byte 0xAE, which is "о" in CP866) occurs more often than "о" (byte 0xEE
// in Windows-1251). Otherwise, ties included, the text is returned as it is.
QString fromDosIfCp866(const QString &text);

// The book text of a plain-text file's bytes, line breaks not yet normalised.
QString decodeTextBook(const QByteArray &bytes, ReadingReport *report = nullptr);
