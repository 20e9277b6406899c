#pragma once
// Chapter headings: a user-edited, ordered list of identifiers, each on or
// off. An identifier is a wildcard pattern matched against the start of a
// line (or the whole line when it holds "*" or ends in "|"), "$$" for a line
// without lower-case letters, or "\" ... "\\\\\" for a line that follows
// exactly that many empty lines. Patterns may name chapter numbers with
// "{номер}" and "{римское}" (chapter_number.h); "{заголовок}" alone takes
// the titles the book's layout sets apart (layout_headings.h), found by the
// survey.

#include "common/name_flag_list.h"

#include <QList>
#include <QString>
#include <QStringList>

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

    // Looks through the whole book before its lines are asked about, each
    // once and in the same order. Two kinds of lines that the identifiers
    // take are then no headings:
    // - a line that is only a number, unless the book numbers its chapters
    //   so: it stands before a chapter's worth of text, and so does the number
    //   line before it (after it, for the first). Numbered endnotes, a line or
    //   two each, do not;
    // - the entries of a table of contents: in a run of four or more headings
    //   with nothing to say between them, only the first begins a chapter,
    //   and the run's tail of headings of different identifiers ("Том",
    //   "Часть", "Глава" after the contents), which begin the book. A heading
    //   found by an empty-line identifier (the sections of a FictionBook
    //   book, nested without text between them) is no entry and ends a run.
    // Without a survey every line is judged by the identifiers alone.
    void surveyBook(const QStringList &lines);

    // Consecutive empty lines seen; kept between calls (the editor's preview
    // resets it, the add pass starts from what was left).
    int emptyCount = 0;

private:
    bool matches(const QString &identifier, const QString &line);
    // True when an empty-line identifier that is on takes a line of the book.
    bool emptyLineRuleFinds(const QStringList &prepared) const;
    // isChapter by the identifiers alone.
    bool matchesIdentifiers(QString &line);
    bool matchesPrepared(const QString &line);

    QList<QString> m_active;      // the texts of the identifiers that are on, in order
    int m_matchedIdentifier = -1; // index in m_active of the last match, or -1
    QList<bool> m_notHeading;     // from the survey, one per line of the book
    QList<bool> m_layoutHeadings; // titles by layout, from the survey when "{заголовок}" is on
    qsizetype m_linesSeen = 0;
    qsizetype m_lineIndex = 0; // the line being matched, in the book's lines
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
    // Switches the entry with this text on or off; false (and nothing
    // changed) when the list does not hold it or it is already so.
    bool switchListed(const QString &text, bool on);

private:
    QList<ChapterIdentifier> m_entries;
};

// The identifier of the three empty lines that begin a FictionBook section.
inline const QString kSectionBreakIdentifier = QStringLiteral("\\\\\\");

// Switches kSectionBreakIdentifier on for a book whose sections are marked
// so, off for any other; the status line's note when that changed it.
QString followSectionMarks(ChapterIdentifierList &list, bool sectionsMarked);

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
