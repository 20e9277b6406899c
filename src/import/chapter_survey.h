#pragma once
// The look at a whole book that the chapter detector takes before its lines
// are asked about: which lines the identifiers take for headings but are
// none, numbered endnotes and the entries of a table of contents.

#include <QList>
#include <QString>
#include <QStringList>

// What a line was taken for, by the index of the identifier that matched,
// or one of these.
inline constexpr int kNoHeading = -1;
inline constexpr int kEmptyLinesHeading = -2; // an empty-line identifier

// A prepared line of digits, perhaps with a full stop: "12", "12.".
bool isNumberOnly(const QString &line);

// Per prepared line: true for a number-only line that numbers an endnote
// or a page rather than a chapter. A chapter number stands before a
// chapter's worth of text (800 characters up to the next number-only line),
// and so does the number line before it (after it, for the first); and it
// counts on from the chapter number before it or starts a count at 1 or 2,
// where a page number left in the text ("393") does not.
QList<bool> endnoteNumbers(const QStringList &prepared);

// Sets `veto` for the entries of tables of contents: in a run of four or
// more headings found by patterns with no words between them, all but the
// first and the tail that begins the book, headings back from the last each
// by an identifier that none after it used ("Том", "Часть", "Глава" after
// the contents). `identifier` holds what each line was taken for; a heading
// by an empty-line identifier ends a run.
void vetoContents(const QList<int> &identifier, const QStringList &prepared, QList<bool> &veto);
