#pragma once
// The cover picture of a book project: "cover.jpg" or "cover.png" in the
// book's folder, kept there when the book is added. Everything that puts the
// cover into audio files (the MP3 tags, one-file audiobooks) finds it here.

#include <QString>
#include <QStringList>

// "cover.jpg" and "cover.png", in the order they are looked for.
QStringList projectCoverFileNames();

// "cover." + extension ("jpg" or "png").
QString projectCoverFileName(const QString &extension);

// The full path of the book folder's cover, or empty when it has none.
QString projectCoverPath(const QString &bookFolder);
