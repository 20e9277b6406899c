#pragma once
// The proper-name finder: collects from a book the capitalised words that
// do not open a sentence or a line (names and titles), the words in Latin
// letters and, optionally, every word longer than a given length, each with
// the number of times it occurs, so the user can give them pronunciations.

#include "dictionaries/exception_dictionary.h"
#include "dictionaries/tool_progress.h"

#include <QList>
#include <QString>
#include <QStringList>

class DictionaryEngine;

struct WordCount
{
    QString word;
    int count = 0;
    bool operator==(const WordCount &) const = default;
};

struct NameFinderOptions
{
    bool skipForeignWords = false;
    bool skipAllWords = false;
    int allWordsLongerThan = 0;
};

struct NameFinderResult
{
    QList<WordCount> names;
    QList<WordCount> foreignWords;
    QList<WordCount> allWords;
    bool cancelled = false;
};

// The text with punctuation turned into separate tokens or spaces and every
// line start marked by "|" glued to the line's first word.
QString normalizeForNameSearch(const QString &text);

// Status "Анализ текста: n%" at most every half second; can be cancelled.
NameFinderResult findNames(const QString &text, const NameFinderOptions &options, const ToolProgress &progress = {});

// The filters move the words they remove out of `list` and return them.
QList<WordCount> removeRareWords(QList<WordCount> &list, int minimumCount);
QList<WordCount> removeListedWords(QList<WordCount> &list, const QStringList &correctWords);
// Words equal to a key of the engine's exception dictionary: exactly for
// entries that keep letter case, otherwise without regard to it.
QList<WordCount> removeExceptionKeys(QList<WordCount> &list, const QList<ExceptionRow> &rows);
// Words that some entry of the dictionaries would change, each word tried
// alone with a space on either side.
QList<WordCount> removeHandledWords(QList<WordCount> &list, const DictionaryEngine &engine,
                                    const ToolProgress &progress = {});

// The list of correctly pronounced words ("excwords.txt"): one word a line.
QStringList readCorrectWords(const QString &path);
bool writeCorrectWords(const QString &path, const QStringList &words);
