#pragma once
// How the commands that show a book file's text (text, stress) read it: as
// the book editor would receive it, with what the reading noticed on
// standard error.

#include "import/book_file_encoding.h"
#include "import/book_loader.h"

#include <QString>

// The file at `argument` (a path as typed) in `encoding`; the result's
// `loaded` is false when it could not be read (the reason already shown).
BookLoadResult readBookFileForCommand(const QString &argument, BookFileEncoding encoding);
