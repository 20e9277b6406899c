#pragma once
// "Сохранить как..." of the book editor: the text, or a selection of it, as
// a Windows-1251 text file with CR LF line ends.

#include <QString>

// The chosen name with ".txt" added unless it already ends so (any case).
QString withTxtExtension(const QString &path);

// Writes `text` (any line ends) to `path`, replacing the file; false when it
// could not be written.
bool saveTextFile(const QString &path, const QString &text);
