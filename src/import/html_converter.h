#pragma once
// HTML pages to the text a reader of the page sees: every block (paragraph,
// heading, list item, table cell, ...) ends in CR, a line break <br> gives
// the character 11, no-break spaces stay, entities are decoded, scripts,
// styles and the page head are dropped, and runs of white space collapse to
// one space as a browser shows them. The caller turns CR and 11 into the
// editor's line breaks.

#include <QByteArray>
#include <QString>

// A page as stored in a file: a byte-order mark or the charset the page
// declares decides the encoding; without one, valid UTF-8 is UTF-8 and
// anything else Windows-1251.
QString htmlToText(const QByteArray &page);

// A page already in memory as text (its own charset declaration is ignored).
QString htmlPageToText(const QString &page);

// Marks paragraphs so that each one begins with two no-break spaces and ends
// with an explicit line break: "<p>" gets the spaces after it, every "<p "
// tag (any case) gets them after its ">", and every "</p>" (any case)
// becomes "<br></p>". Works on the raw bytes of any ASCII-based charset: the
// spaces are written as character references.
QByteArray prepareHtml(const QByteArray &html);
