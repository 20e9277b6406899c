#pragma once

#include <QString>

// The book file named on the command line or dropped on the library, or an
// empty string when it is to be ignored: double quotes are removed, and the
// rest must name an existing file longer than 4 characters whose last four
// characters, lower-cased, are ".txt", ".rtf", ".fb2", ".doc", ".htm" or
// "html" (so "book.docx" is ignored).
QString openableBookFile(const QString &argument);
