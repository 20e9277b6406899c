#pragma once
// The Russian stress lexicon shipped with the program ("Stress/ru-stress.lex",
// made by scripts/build-stress-lexicon.py): every written word form it knows,
// with each stress the form can carry and the vowels it writes "ё". A form
// with more than one stressing is a homograph ("замок": за́мок, замо́к;
// "все": все, всё): only its context can tell.
//
// The file is a minimal automaton over "form, separator, stressing"; it is
// mapped into memory as it is and checked once on loading, so a damaged file
// is refused instead of being read out of bounds.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <memory>

class QFile;

// What kind of word form a homograph's stressing is (bits of
// Stressing::readings), so that the words around it can choose.
enum ReadingKind : quint8 {
    NounGenitiveSingular = 1, // "стороны́", "го́рода"
    NounNominativePlural = 2, // nominative or accusative: "сто́роны", "города́"
    VerbForm = 4,             // "начала́", "жила́"
    OtherReading = 8,
    NounSecondLocative = 16, // "на лету́", "в лесу́"
};

struct Stressing
{
    int stressedVowel = 0; // which vowel of the word, from 0 at the start
    quint32 yoVowels = 0;  // bit n: the n-th vowel is written "ё"
    quint8 readings = 0;   // ReadingKind bits; known for homographs only
    bool operator==(const Stressing &) const = default;
};

class StressLexicon
{
public:
    StressLexicon();
    ~StressLexicon();
    StressLexicon(const StressLexicon &) = delete;
    StressLexicon &operator=(const StressLexicon &) = delete;

    // Where the program looks for the lexicon, in order: the program folder
    // (a user may put a newer one there), beside the executable (the build
    // tree), and the installed data folder.
    static QStringList candidateFiles(const QString &programFolder);

    // Loads the first candidate file that exists; false (with the reason in
    // `error`) when none does or the file is not a lexicon.
    bool loadFromProgramFolder(const QString &programFolder, QString *error = nullptr);
    bool load(const QString &path, QString *error = nullptr);
    bool isLoaded() const { return m_transitions != nullptr; }
    QString fileName() const { return m_fileName; }

    // The stressings of a written form: any case, "ё" or "е" (a written "ё"
    // keeps only the stressings that have it there); empty when the form is
    // unknown. Stressings come in the lexicon's order, duplicates removed.
    QList<Stressing> lookup(QStringView word) const;

private:
    bool adopt(const uchar *data, qint64 size, QString *error);
    int symbolOf(QChar c) const;
    void collectStressings(quint32 state, int vowelCount, QList<Stressing> &out) const;

    std::unique_ptr<QFile> m_file;
    QByteArray m_copy; // the file's bytes when it cannot be mapped
    QString m_fileName;
    const quint32 *m_transitions = nullptr;
    quint32 m_transitionCount = 0;
    quint32 m_root = 0;
    QList<char16_t> m_symbols;
    // the symbol of each lower-case letter а..я, -1 where the lexicon has none
    std::array<int, 32> m_letterSymbol{};
    int m_hyphenSymbol = -1;
    int m_separatorSymbol = -1;
};
