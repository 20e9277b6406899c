#pragma once
// The cover of a book: a picture the user put into the book's project folder.

#include <QString>

// "cover.jpg" or else "cover.png" of the project folder; empty when neither
// is there.
QString bookCoverPath(const QString &projectFolder);
