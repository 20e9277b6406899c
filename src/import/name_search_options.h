#pragma once
// The book editor's options of the word analysis ("Словарный анализ"), kept
// in "Lectorium.ini", section "Поиск имен"; the main window's analysis of a
// library book reads the same keys.

#include "dictionaries/name_finder.h"

#include <QList>
#include <QString>

#include <optional>

struct NameSearchOptions
{
    bool foreignWords = true; // "Искать латиницу"
    bool longWords = false;   // "Искать длинные слова"
    int minimumLength = 5;    // "Мин кол-во букв в слове": a listed word is longer
};

// The same choice in the name finder's terms.
NameFinderOptions finderOptions(const NameSearchOptions &options);

// Keys that are missing or not numbers keep the value `options` had.
void loadNameSearchOptions(NameSearchOptions &options, const QString &iniPath);
bool saveNameSearchOptions(const NameSearchOptions &options, const QString &iniPath);

// The entries of the word-length menu in menu order: "Не искать" (no
// length: the long-word search goes off), ">15 букв" ... ">2 букв",
// ">1 буквы", "Все слова" (length 0).
struct WordLengthChoice
{
    QString caption;
    std::optional<int> minimumLength;
};
const QList<WordLengthChoice> &wordLengthChoices();

// The menu entry that shows `options`: "Не искать" while the long-word search
// is off, else the entry of its length (-1 when no entry has that length).
int wordLengthChoiceIndex(const NameSearchOptions &options);
