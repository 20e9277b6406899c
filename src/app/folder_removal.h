#pragma once

#include <QString>

// Deletes a book folder and everything in it, files made writable first.
// Symbolic links are removed as links and never followed, so nothing outside
// the folder is touched. Refuses (and deletes nothing) when `folder` is empty,
// is not a folder, or does not lie strictly inside `root`. Failures are not
// reported: callers look whether the folder still exists.
void removeFolderInside(const QString &root, const QString &folder);

// True when `name` is a plain entry of a folder: not empty, not "." or "..",
// without a path separator or control characters, and not one of the
// program's own working folders.
bool isPlainEntryName(const QString &name);
// A title with its tabs, line ends and other control characters made
// blanks, trimmed: what a pasted title becomes before it names a folder.
QString withoutControlCharacters(const QString &title);
