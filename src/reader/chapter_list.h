#pragma once
// The reader's chapter table: one entry per block of the book, named by the
// project's table of contents.

#include <QString>
#include <QStringList>

// The chapter names of the book in `bookFolder`, read as the main window
// reads them: the "Оглавление" entries, or "Блок n" for every block file when
// the table is missing.
QStringList loadChapterList(const QString &bookFolder);

// The chapter list's text for chapter `number` (from 1): "[n] name".
QString chapterEntry(int number, const QString &name);
