#pragma once
// The text of one block made ready for the voice: read from the book's
// project, rewritten with the pronunciation dictionaries, stressed
// (stress/spoken_text.h), the block number
// announced, the pauses at its start and end, the role markers turned into
// the voice's markup.

#include "app/settings.h"

#include <QString>
#include <QStringList>

#include <functional>

class Dictionaries;

class BlockTextSource
{
public:
    // `dictionaries` may be null (no dictionary step).
    BlockTextSource(const Settings &settings, QString programFolder, const Dictionaries *dictionaries);

    // The book used when a call names none (the library's selection).
    void setSelectedBook(const QString &book) { m_selectedBook = book; }
    // Told true before the dictionaries rewrite a block and false after.
    void setDictionaryProgress(std::function<void(bool applying)> tell) { m_tellApplying = std::move(tell); }
    // Called now and then while the dictionaries rewrite a long block, so
    // the window stays responsive.
    void setYield(std::function<void()> yield) { m_yield = std::move(yield); }

    // `noDictionary` skips the dictionaries; `xml` asks for SAPI XML, else
    // Speech Cube tags. When the dictionaries could not rewrite the block,
    // the text is empty and `dictionaryFailure` (if given) says why.
    // `spokenText` (if given) receives the block after the dictionaries and
    // the stresses, before the block number, the pauses and the voice markup:
    // what a block's fingerprint is made from.
    QString blockText(int n, bool noDictionary, bool xml, const QString &book = QString(),
                      QString *dictionaryFailure = nullptr, QString *spokenText = nullptr) const;
    // The block's length with the role markers removed.
    int blockRawLength(int n, const QString &book = QString()) const;

private:
    QString folderOf(const QString &book) const;

    const Settings &m_settings;
    QString m_programFolder;
    const Dictionaries *m_dictionaries;
    QString m_selectedBook;
    std::function<void(bool)> m_tellApplying;
    std::function<void()> m_yield;
};

// Characters a book folder's blocks hold without their voice markers, added
// up: what the learnt coefficient counts, so a whole book's estimate.
qint64 bookRawLength(const QString &bookFolder);

// Every block of every book, role markers removed, each book followed by a
// line break: the material of the dictionary analysis of the chosen books.
QString bookTextAn(const QString &programFolder, const QStringList &books);
