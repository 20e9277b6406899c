#pragma once
// Headings that are only titles ("Хорь и Калиныч", "Бирюк", "Стучит!"): no
// word marks them, the layout of the book does. Story collections, essays
// and many novels with named chapters set a title alone between empty lines
// in a text whose paragraphs follow each other without one. A book whose
// paragraphs are all set apart by empty lines says nothing by its layout;
// there a list of contents ("Содержание", "Оглавление") whose entries are
// lines of the text names the titles instead.
//
// The chapter identifier kLayoutHeadingIdentifier asks for these lines.

#include <QList>
#include <QString>
#include <QStringList>

// The identifier of titles set apart by the layout.
inline const QString kLayoutHeadingIdentifier = QStringLiteral("{заголовок}");

// What the editor's identifier list tells about it.
QString layoutHeadingHelp();

// The line's own shape, whatever stands around it: short, opened by a
// capital letter or a digit, no dialogue dash, no full stop, comma, colon or
// ellipsis at its end ("!" and "?" only after one or two words: "Стучит!"),
// not a date ("1852 г", "12 марта 1850"), not a number or a Roman numeral
// alone (page and chapter numbers have identifiers of their own).
bool looksLikeTitle(const QString &line);

// True when most lines of prose (longer than a verse line) that end a
// sentence are followed by an empty line: the book's paragraphs are set
// apart by empty lines.
bool paragraphsSetApart(const QStringList &lines);

// Per line of the book: true for a title by the layout (in a book whose
// paragraphs are not set apart: a line of title shape alone between empty
// lines, followed by text (more than a line, or a line no title could be),
// and not a lone line after a stanza or a one-line epigraph unless more
// empty lines stand before it than after it), or a line that an entry of
// the book's contents names.
QList<bool> layoutHeadings(const QStringList &lines);
