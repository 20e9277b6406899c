#pragma once
// Reading and writing the files the user owns. They are Windows-1251 with
// CR LF line ends, and they are replaced through a temporary file and a
// rename, so a crash or a full disk leaves the old file or the new one,
// never a torn one.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace UserFile {

// The whole file, or nothing when it cannot be read.
std::optional<QByteArray> readBytes(const QString &path);

// Replaces the file with `bytes`; false when it could not be written (the
// old file is then left as it was).
bool writeBytes(const QString &path, const QByteArray &bytes);

// Each line followed by CR LF, in Windows-1251.
bool writeLines(const QString &path, const QStringList &lines);

// Splits text at CR LF, lone CR or lone LF; a final line end gives no empty
// last line.
QStringList splitLines(const QString &text);

} // namespace UserFile
