#pragma once
// The encoding a user may set for a book instead of the program's judgement:
// the list beside the file name in the editor and lectorium-cli's
// --encoding. The file is then read in it, whatever it declares.

#include <QList>
#include <QString>

#include <optional>

enum class BookFileEncoding { Automatic, Windows1251, Utf8, Koi8R, Cp866, Iso88595, MacCyrillic };

// Every choice, in the order the editor lists them.
const QList<BookFileEncoding> &bookFileEncodings();

// What the editor's list shows: "Автоматически", "Windows-1251", "UTF-8", ...
QString bookFileEncodingCaption(BookFileEncoding encoding);

// The choice a command-line name stands for, case ignored ("koi8-r",
// "cp1251", "auto", ...); nothing for a name it does not know.
std::optional<BookFileEncoding> bookFileEncodingFromName(const QString &name);

// The names the command line takes, one for each choice, for its usage text.
QString bookFileEncodingNames();
