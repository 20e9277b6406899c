#pragma once
// "Исправить произношение": what the reader's fix dialog does without its
// window. A word heard wrong is shown as the voice is given it (after the
// dictionaries and the stresses); the user puts the stress on a vowel or
// types a respelling, chooses the dictionary and whether the entry is for
// this form only or for every form of the word; the entry is tried on the
// sentence, written through the dictionary files' own writer at the top of
// the chosen dictionary (so it comes before the entries that gave the wrong
// reading), and the blocks it changes are counted in this book and the
// others.

#include "app/settings.h"
#include "dictionaries/dictionaries.h"
#include "dictionaries/dictionary_table.h"
#include "recording/touched_blocks.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

// The dictionary a fix goes into when the user has none enabled.
inline const QString kFixDictionaryName = QStringLiteral("Исправления.dic");

enum class EntryForm {
    ThisForm,  // the word exactly as it stands
    EveryForm, // the word's stem, whatever ending follows
};

// The word of `text` at `position` (letters, with hyphens inside): its start
// and length; a length of 0 when there is no word there.
std::pair<int, int> wordAt(const QString &text, int position);
// The sentence of `text` that holds `position`, trimmed: from after the end
// of the sentence before (".", "!", "?", "…" or a line break) to its own end.
QString sentenceAround(const QString &text, int position);

// Where each vowel of `text` stands ("+" marks are no letters).
QList<int> vowelPositions(const QString &text);
// `text` with its stress marks taken out and one put after its vowel number
// `vowel` (from 0); unchanged when it has no such vowel.
QString withStressOn(const QString &text, int vowel);

// The entry that makes `word` say `respelling`: for this form only the whole
// word; for every form its stem (the word without the vowels and soft signs
// it ends in) followed by anything, when the respelling ends the same way
// and its stress is not in that ending. Nothing when the form cannot be made.
std::optional<DictionaryEntry> fixEntry(const QString &word, const QString &respelling, EntryForm form);

class PronunciationFix
{
public:
    PronunciationFix(QString programFolder, const Settings &settings, QString word, QString sentence);

    const QString &word() const { return m_word; }
    const QString &sentence() const { return m_sentence; }
    // The word as the voice is given it now; the respelling starts as this.
    QString spokenForm() const;
    // The sentence as the voice is given it now, and with the entry.
    QString spokenSentence() const;
    QString spokenSentenceWithFix() const;

    QString respelling;
    EntryForm form = EntryForm::ThisForm;
    // The dictionaries the entry may go into: the enabled ones in list
    // order, or the fix dictionary when none is enabled.
    QStringList dictionaryChoices() const;
    QString dictionary;

    // The entry as it will be written, or nothing (with why in `problem`).
    std::optional<DictionaryEntry> entry(QString *problem = nullptr) const;

    // Writes the entry at the top of the chosen dictionary (an entry of the
    // same key and boundaries there goes), adding the dictionary to the
    // list, first and enabled, when it is new; tells the dictionaries'
    // holders. False with the reason for the user.
    bool save(QString *failure);

    // The blocks the entry changes, in `books` (counted with the
    // dictionaries before the save and as they are with the entry).
    TouchedBlocks touchedBlocks(const QStringList &books, const std::function<bool()> &keepGoing = {}) const;

private:
    // The chosen dictionary's entries with this entry at the top.
    DictionaryTable tableWithFix(const DictionaryEntry &entry) const;
    // The enabled dictionaries with the entry in its dictionary, as a save
    // would leave them.
    std::unique_ptr<Dictionaries> dictionariesWithFix() const;
    QString spoken(const QString &text, const Dictionaries &dictionaries) const;

    QString m_programFolder;
    Settings m_settings;
    QString m_word;
    QString m_sentence;
    std::unique_ptr<Dictionaries> m_current;
    // The dictionaries as they were before the last save.
    std::unique_ptr<Dictionaries> m_beforeSave;
};
