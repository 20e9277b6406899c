#pragma once
// Which encoding a book file is in, judged by its bytes. A byte-order mark
// decides. Otherwise a text that is almost all valid UTF-8 is UTF-8 (a
// damaged byte or a character cut at the end of the file is replaced and
// counted, not a reason to garble the whole book), and a charset the file
// declares is believed only where the bytes do not contradict it: a page
// declaring UTF-8 that is really Windows-1251, and the reverse, both read
// right.

#include "import/reading_report.h"

#include <QByteArray>
#include <QString>

enum class SingleByteGuess {
    Windows1251,
    Windows1251OrDos, // plain-text books may also come from DOS (CP866)
};

// The text of `bytes`; `declaredCharset` is what the file says of itself
// (empty when nothing). What was decided goes into `report` when given.
QString decodeBookBytes(const QByteArray &bytes, const QString &declaredCharset, SingleByteGuess guess,
                        ReadingReport *report = nullptr);
