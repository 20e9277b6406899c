#pragma once
// Which files of a ZIP archive are books the program opens. An archive
// inside the archive (a ZIP, an EPUB, a DOCX or ODT, which are archives
// themselves) is not opened: unpacking one in another is how archives that
// grow without bound are built. Folders of archivers' own ("__MACOSX/",
// "._" files) are no books.

#include <QStringList>

// The entries, in the archive's order, that are books.
QStringList bookEntries(const QStringList &names);

// True when some entry is an archive of a kind the program would open.
bool hasNestedArchive(const QStringList &names);
