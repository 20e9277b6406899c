#pragma once
// Which encoding a book file is in, judged by its bytes. A byte-order mark
// decides. Otherwise a text that is almost all valid UTF-8 is UTF-8 (a
// damaged byte or a character cut at the end of the file is replaced and
// counted, not a reason to garble the whole book), and a charset the file
// declares is believed only where the bytes do not contradict it: a page
// declaring UTF-8 that is really Windows-1251, and the reverse, both read
// right. Other bytes are in one of the single-byte Cyrillic code pages, told
// apart by how Russian their letters read (code_page_guess.h); a declared
// one is kept unless its letters are not Russian and another's are. A text
// whose letters look Russian in no code page is read in the likeliest and
// reported as doubtful. The user's own choice of encoding overrides it all.

#include "import/book_file_encoding.h"
#include "import/reading_report.h"

#include <QByteArray>
#include <QString>

// The text of `bytes`; `declaredCharset` is what the file says of itself
// (empty when nothing). What was decided goes into `report` when given.
QString decodeBookBytes(const QByteArray &bytes, const QString &declaredCharset, ReadingReport *report = nullptr,
                        BookFileEncoding chosen = BookFileEncoding::Automatic);
