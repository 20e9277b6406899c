#pragma once
// HTML pages to the text a reader of the page sees: every block (paragraph,
// heading, list item, table cell, ...) ends in CR, a line break <br> gives
// the character 11, no-break spaces stay, entities are decoded, scripts,
// styles and the page head are dropped, and runs of white space collapse to
// one space as a browser shows them. The caller turns CR and 11 into the
// editor's line breaks.

#include "import/book_file_encoding.h"
#include "import/reading_report.h"

#include <QByteArray>
#include <QString>

// A page as stored in a file: a byte-order mark decides the encoding, else
// the bytes judged against the charset the page declares (see
// book_encoding.h). What was decided, and a parser that gave up before the
// end, go into `report`. An encoding the user chose overrides both.
QString htmlToText(const QByteArray &page, ReadingReport *report = nullptr,
                   BookFileEncoding encoding = BookFileEncoding::Automatic);

// A page already in memory as text (its own charset declaration is ignored).
QString htmlPageToText(const QString &page, ReadingReport *report = nullptr);

// Marks paragraphs so that each one begins with two no-break spaces and ends
// with an explicit line break: "<p>" gets the spaces after it, every "<p "
// tag (any case) gets them after its ">", and every "</p>" (any case)
// becomes "<br></p>". Works on the raw bytes of any ASCII-based charset: the
// spaces are written as character references.
QByteArray prepareHtml(const QByteArray &html);
