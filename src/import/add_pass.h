#pragma once
// The add pass: the edited text of a book becomes numbered blocks ready for
// speech. Every line is cleaned up, dialogue lines get voice markers, pauses
// go to paragraph ends and short lines, the dictionaries may rewrite each
// line, and a new block begins at each chapter heading and after a sentence
// once a block has reached the maximum size.

#include "dictionaries/dictionary_rewrite.h"
#include "import/add_options.h"
#include "import/chapter_detection.h"

#include <QString>
#include <QStringList>

#include <functional>

// Rewrites one line with the enabled dictionaries.
using LineRewriter = std::function<DictionaryRewrite(const QString &line)>;
// A status text for the user and, while lines are processed, the position
// reached in the text (-1 for a status without a position).
using AddProgress = std::function<void(const QString &status, qsizetype position)>;

// Where a block lies in the book's lines (splitBookLines).
struct BlockPlace
{
    qsizetype firstLine = 0; // the line it begins with
    qsizetype nameLine = 0;  // the heading that names it, else its first line
};

struct BookBlocks
{
    QStringList blocks;       // block texts, each starting with the narration marker and CR LF
    QStringList names;        // one table-of-contents name per block; the first is the title
    QList<BlockPlace> places; // one per block
    // Why the dictionaries could not rewrite a line (the blocks are then
    // unfinished and must not be written); empty when all went well.
    QString dictionaryFailure;
    bool stopped = false; // `keepGoing` said no: the blocks so far
};

// The book's lines: the text split at CR LF, CR or LF, keeping a last empty
// line after a final line break.
QStringList splitBookLines(const QString &text);

// "<" and ">" as "&lt;" and "&gt;": the blocks are later wrapped in engine
// markup, where a bare bracket would start a tag.
QString escapeAngleBrackets(const QString &text);

// Cuts the text into blocks (the year rewrite is the caller's, it comes
// first). `detector` keeps its empty-line count across calls. `dictionaries`
// is used only when the options ask for it; `progress` and `keepGoing` may
// be empty. `keepGoing` is asked as often as progress is told; false stops
// the cut.
//
// A block begins at a heading once the block before has text of its own
// (words that are no heading). Until then a heading joins that block: the
// first keeps the book's title as its name, a later one that holds only
// headings names itself after all of them ("Часть вторая. I"), and a later
// one with nothing to say yet (opened by a size break, or holding "* * *")
// takes the heading's name and counts its size from there. So no block
// holds a heading alone; headings at the very end join the last block.
BookBlocks cutIntoBlocks(const QString &text, const QString &title, const AddOptions &options,
                         ChapterDetector &detector, const LineRewriter &dictionaries = {},
                         const AddProgress &progress = {}, const std::function<bool()> &keepGoing = {});
