#pragma once
// The typographic clean-up the add pass gives every line when dialogue
// analysis is on: one kind of space, quote and dash, no leading spaces, a
// word broken by a hyphen at the line end marked for joining, and the dashes
// of dialogue written as " - " so the separators can be found.

#include <QString>

struct LineCleanupOptions
{
    bool removeHyphens = false;            // join words broken at the line end
    bool dialogueStartsWithQuotes = false; // a leading quote opens a reply
};

struct CleanLine
{
    QString text;
    // The line ended in a broken word: the next line continues it, so no
    // line break follows this one.
    bool joinsNext = false;
};

// `line` is the raw line, `next` the raw line after it ("End" after the
// last one).
CleanLine cleanUpLine(const QString &line, const QString &next, const LineCleanupOptions &options);

// True when a raw line is indented: it begins with a space, a tab or a
// no-break space.
bool startsIndented(const QString &line);

// True when a raw line ends a sentence: its last mark, after closing quotes,
// brackets and spaces, is ".", "!", "?" or "…" ("Да!»", "Нет…", "(там же.)").
bool endsSentence(const QString &line);
