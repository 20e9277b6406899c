#pragma once
// Exporting a book: every block, its role markers turned into Speech Cube
// tags (text) or SAPI XML, one after another in one file.

#include "app/settings.h"
#include "common/user_dialogs.h"

#include <QString>

enum class ExportFormat { Text, Xml };

// The filters of the save dialog, the text filter first.
QString exportFileFilters();

// Writes the book `book` of the program folder into `target` in Windows-1251
// with CR LF after each block, asking before an existing file is replaced.
// On success says so and remembers the target's folder in
// settings.exportFolder; false when the user declined or writing failed.
bool exportBook(const QString &programFolder, const QString &book, const QString &target, ExportFormat format,
                Settings &settings, UserDialogs &dialogs);
