#pragma once

#include "dictionaries/name_finder.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class Dictionaries;
class UserDialogs;

// NameFinderPane: the dictionary editor's name finder pane. It lists the names,
// foreign words and frequent words of a book with their counts, and the words
// whose stress the program cannot decide, filters out the words already
// handled, and hands a chosen word to the editor.
class NameFinderPane : public QWidget
{
    Q_OBJECT
public:
    NameFinderPane(const QString &programFolder, Dictionaries &dictionaries, UserDialogs &dialogs,
                   QWidget *parent = nullptr);

    // Searches `text` and fills the lists.
    void run(const QString &text, const NameFinderOptions &options);
    QString selectedWord() const;

    // The lists, in tab order.
    enum List { Names, ForeignWords, AllWords, UnknownStress, Filtered, CorrectWords, ListCount };
    const QList<WordCount> &words(List list) const { return m_words[list]; }

    // The editor's list in the speech engine's mode, nothing in its own mode.
    std::function<std::optional<QList<ExceptionRow>>()> engineRows;
    std::function<std::optional<int>()> askMinimumCount;

signals:
    void status(const QString &text);
    void editWord(const QString &word);
    // A word of unknown stress for a new entry: the word and, to be given
    // its stress, the pronunciation.
    void giveStress(const QString &word);
    void speakWord(const QString &word);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeWidget *currentList() const;
    int currentListIndex() const;
    void findUnknownStress(const QString &text);
    void editSelectedWord();
    void fillList(int list);
    void fillAll();
    void moveToFiltered(int list, const QList<WordCount> &removed);
    void filterRare();
    void filterCorrect();
    void filterHandled();
    void markCorrect();
    ToolProgress progress(const QString &prefix);
    QString correctWordsPath() const;

    QString m_programFolder;
    Dictionaries &m_dictionaries;
    UserDialogs &m_dialogs;
    QList<WordCount> m_words[ListCount];
    QTabWidget *m_listTabs = nullptr;
    QTreeWidget *m_wordLists[ListCount] = {};
    QLabel *m_unknownStressNote = nullptr; // why the list is empty when the lexicon is missing
    QPushButton *m_stopSearchButton = nullptr;
    bool m_running = false;
    bool m_cancelled = false;
};
