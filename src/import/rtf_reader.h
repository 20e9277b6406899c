#pragma once
// Our reader of RTF documents (files, the clipboard, converted Word
// documents): the text of the document body, one entry per paragraph, with
// the position of each paragraph's first line, which tells an indented
// paragraph from a flush one. Formatting, tables of fonts, colours and
// styles, the document information, pictures, headers, footers and
// footnotes are not text and are skipped.

#include <QByteArray>
#include <QList>
#include <QString>

struct RtfParagraph
{
    QString text; // a manual line break inside the paragraph is CR LF
    // Where the first line starts, in twips: the left indent plus the
    // first-line indent (negative for a hanging indent).
    int firstLineIndent = 0;
};

struct RtfDocument
{
    bool isRtf = false; // the bytes began with "{\rtf"
    QList<RtfParagraph> paragraphs;
};

// Reads what it can: a truncated document gives the paragraphs read so far.
RtfDocument readRtf(const QByteArray &bytes);

// The paragraphs joined with CR LF.
QString rtfPlainText(const RtfDocument &document);
