#pragma once
// Writes a book project so that a crash or a full disk part-way never leaves
// a half-written book in the library: everything goes into a staging folder
// beside "Projects" first, and only a complete project is moved into place.
// A book added again keeps the files of its folder that are not block files.

#include "import/add_pass.h"

#include <QString>

// The description of the book as the editor's information fields hold it.
struct BookInformation
{
    QString title;     // "Название:"
    QString series;    // "Цикл:"
    QString seriesNo;  // series number
    QString authors;   // "Автор(ы):", one author per line
    QString genre;     // "Жанр:"
    QString annotation; // "Аннотация:" (not stored in the project)
    QString date;      // "Дата:"
};

// Writes "project.ini" (description, range 1..N, table of contents) and the
// block files 0001.txt ... into `folder`, replacing a project there. False
// (and the old project left as it was) when something could not be written.
bool writeProject(const QString &folder, const BookBlocks &book, const BookInformation &info);
