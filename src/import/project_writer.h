#pragma once
// Writes a book project so that a crash or a full disk part-way never leaves
// a half-written book in the library: everything goes into a staging folder
// inside "Projects" (a working folder the library does not list) first, and
// only a complete project is moved into place.
// A book added again keeps the files of its folder that are not block files.

#include "import/add_pass.h"
#include "import/book_cover.h"
#include "import/book_information.h"

#include <QString>

#include <optional>

// Writes "project.ini" (description, range 1..N, table of contents), the
// block files 0001.txt ... and the book's cover ("cover.jpg" or "cover.png",
// replacing an older one) into `folder`, replacing a project there. Empty
// when written; otherwise what could not be written and why, in Russian (the
// old project is left as it was).
[[nodiscard]] QString writeProject(const QString &folder, const BookBlocks &book, const BookInformation &info,
                                   const std::optional<BookCover> &cover = std::nullopt);
