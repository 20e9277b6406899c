#pragma once
// The one codec of the program: everything the user owns is stored in
// Windows-1251 (and books come in Windows-1251, DOS CP866, KOI8-R, ISO-8859-5
// or MacCyrillic), while every text in memory is a QString. toCp1251 writes characters that Windows-1251 lacks as "?";
// encodeUserFile keeps them by choosing UTF-8 for such a text.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace Codec {

QString fromCp1251(const QByteArray &bytes);
QByteArray toCp1251(const QString &text);
QString fromCp866(const QByteArray &bytes);

// The single-byte Cyrillic code pages a book may be written in.
enum class CodePage { Windows1251, Koi8R, Cp866, Iso88595, MacCyrillic };

QString fromCodePage(const QByteArray &bytes, CodePage codePage);
// The name the status line and the command line give it ("KOI8-R").
QString codePageName(CodePage codePage);

// True when every character of the text has a Windows-1251 code.
bool fitsCp1251(const QString &text);

// A file's bytes for the text: Windows-1251 when the text fits it (what
// existing installations and tools read), otherwise UTF-8 with a byte-order
// mark, so no character is lost. decodeUserFile reads both.
QByteArray encodeUserFile(const QString &text);

// The character that Windows-1251 stores under `code` (0..255), so rules
// written in terms of those codes (160 no-break space, 171 «, 151 —, ...)
// read as they are stated.
QChar cp1251Char(int code);

// The Windows-1251 code of `c`, or -1 when the code page has no such character.
int cp1251Code(QChar c);

// True when the bytes are valid UTF-8 and hold at least one multi-byte
// sequence: plain ASCII is left to the single-byte code pages.
bool looksLikeUtf8(const QByteArray &bytes);

// Decodes a file's bytes: a UTF-8 or UTF-16 byte-order mark, or valid
// multi-byte UTF-8, wins; anything else is Windows-1251.
QString decodeUserFile(const QByteArray &bytes);

} // namespace Codec
