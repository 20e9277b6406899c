#pragma once
// Writes ZIP archives for tests (books, EPUBs, hostile archives) with the
// same library the program reads them with.

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

using ZipEntries = QList<std::pair<QString, QByteArray>>;

// Writes the entries in order (names as given, "../" included); false when
// the archive could not be written.
bool writeZip(const QString &path, const ZipEntries &entries);

// An archive with one entry of `size` zero bytes, made without holding them
// in memory: a file that unpacks far beyond its size.
bool writeZerosZip(const QString &path, const QString &entryName, qint64 size);
