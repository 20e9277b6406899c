#pragma once
// Dictionary files (".dic"): one entry or comment per line. An entry line is
// an optional "$" (the key keeps its letter case), the key with its boundary
// markers, "=" and the replacement. Files of the outside reader program have
// the same lines without the header and the end line and are read as they
// are. Files are written in Windows-1251 with CR LF; a file that arrives as
// UTF-8 is read as UTF-8.

#include "dictionaries/dictionary_table.h"

#include <QString>
#include <QStringList>

#include <optional>

inline const QString kDictionaryHeader = QStringLiteral("//Словарь Lectorium");
inline const QString kDictionaryEndLine = QStringLiteral("// End of file");

// The file's text, decoded: a UTF-8 byte-order mark or valid multi-byte UTF-8
// means UTF-8, anything else Windows-1251. Nothing when it cannot be read.
std::optional<QString> readDictionaryText(const QString &path);

// Lines end at CR or CR LF; a lone LF is an ordinary character, except in a
// file that holds no CR at all (as text files made on Linux come), where LF
// ends the lines. A final line end gives no empty last line.
QStringList splitDictionaryLines(const QString &text);

// Number of lines of the file, or -1 when it cannot be opened.
int countLines(const QString &path);

// One line by the reading rules; nothing for a comment, a malformed line, a
// key of a lone marker, or an entry that would alter a voice marker.
std::optional<DictionaryEntry> parseEntryLine(const QString &line);

// ("$" when case-sensitive) & key with its markers & "=" & replacement.
QString formatEntryLine(const DictionaryEntry &entry);

// Parses the file into `table`, after the entries present when `append`,
// else in place of them. A missing, unreadable or empty file leaves the
// table as it was (and gives false).
bool loadDictionaryFile(DictionaryTable &table, const QString &path, bool append);

// The entry lines of a table, in order.
QStringList entryLines(const DictionaryTable &table);

// Writes the table as a dictionary: the header, one line per entry and the
// end line. False when the file could not be written (the old one is kept).
bool writeDictionary(const QString &path, const DictionaryTable &table);
