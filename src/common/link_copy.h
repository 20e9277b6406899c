#pragma once
// Copies a file or a folder tree by hard links where the file system allows,
// so large files cost no space or time and the source stays untouched.
// Symbolic links are copied as links, never followed.

#include <QString>

// Recreates `source` (a file, a symbolic link or a folder with everything
// in it) at `target`, which must not exist. False when something could not
// be made; what was made stays.
bool linkCopy(const QString &source, const QString &target);
