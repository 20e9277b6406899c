#pragma once
// Chapter headings: a user-edited, ordered list of identifiers, each on or
// off. An identifier is a wildcard pattern matched against the start of a
// line (or the whole line when it holds "*" or ends in "|"), "$$" for a line
// without lower-case letters, or "\" ... "\\\\\" for a line that follows
// exactly that many empty lines.

#include "common/name_flag_list.h"

#include <QList>
#include <QString>

#include <optional>

// An identifier's text and whether it is switched on.
using ChapterIdentifier = NameFlag;

// Number of line characters a prefix pattern is compared with: "[[]" and
// "[]]" count one, every other character but "[" and "]" counts one, so a
// bracket list counts all of its characters ("Глава #" 7, "[*]" 1, "[0-9]" 3).
int patternLength(const QString &pattern);

// The line as the identifiers see it: tabs and no-break spaces as spaces,
// single spaces, no CR or LF, no leading spaces, quotes («», „, “ and ")
// turned into spaces; with `dialogueStartsWithQuotes` a leading quote is a
// dialogue dash first.
QString prepareChapterLine(const QString &line, bool dialogueStartsWithQuotes);

class ChapterDetector
{
public:
    ChapterDetector() = default;
    ChapterDetector(QList<ChapterIdentifier> identifiers, bool dialogueStartsWithQuotes);

    // Decides whether the line starts a chapter and hands the prepared line
    // back in `line`. Empty lines are counted; an empty-line identifier that
    // matches, or a line that matches nothing, resets the count, while a
    // pattern match leaves it as it was.
    bool isChapter(QString &line);

    // Consecutive empty lines seen; kept between calls (the editor's preview
    // resets it, the add pass starts from what was left).
    int emptyCount = 0;

private:
    bool matches(const QString &identifier, const QString &line);

    QList<QString> m_active; // the texts of the identifiers that are on, in order
    bool m_dialogueStartsWithQuotes = false;
};

// The editor's list of identifiers.
class ChapterIdentifierList
{
public:
    ChapterIdentifierList() = default;
    explicit ChapterIdentifierList(QList<ChapterIdentifier> entries) : m_entries(std::move(entries)) { }

    const QList<ChapterIdentifier> &entries() const { return m_entries; }

    // Switches an existing text on, or appends it switched on; the index of
    // the entry. Texts stay unique.
    int addIdentifier(const QString &text);
    void remove(int index);
    void setOn(int index, bool on);
    void setAllOn(bool on);

private:
    QList<ChapterIdentifier> m_entries;
};

// The identifier that the editor's "-> идентификатор главы" makes of a
// selection: its first line, trimmed, with "*" and "?" written as "[*]" and
// "[?]" so they match themselves. Empty when nothing remains.
QString identifierFromSelection(const QString &selection);

// "Chapters.txt" in the program folder. Reading gives nothing when the file
// does not exist (the list then keeps its entries); a text holding double
// quotes reads back unchanged.
QString chaptersFilePath(const QString &programFolder);
std::optional<QList<ChapterIdentifier>> loadChapterIdentifiers(const QString &programFolder);
bool saveChapterIdentifiers(const QString &programFolder, const QList<ChapterIdentifier> &entries);
