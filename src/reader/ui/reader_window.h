#pragma once

#include "app/settings.h"
#include "dictionaries/trial_voice.h"
#include "reader/chapter_reader.h"
#include "reader/reader_settings.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QAction;
class QColor;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class QToolBar;
class QWidget;
class PronunciationFixDialog;
class ReaderStyleDialogs;

// ReaderWindow: the reader window. It shows a book of the library chapter by
// chapter and reads it aloud, colouring the word being heard and the text
// already read.
class ReaderWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `books` and `selectedBook` are the main window's library list and its
    // selection; `settings` gives the voice at each Play.
    ReaderWindow(const QString &programFolder, const QStringList &books, const QString &selectedBook,
                 const Settings &settings, QWidget *parent = nullptr);
    ~ReaderWindow() override;

    // The owner's reader, made on first use, shown and brought to the front.
    static ReaderWindow *open(QWidget *owner, const QString &programFolder, const QStringList &books,
                              const QString &selectedBook, const Settings &settings);

    // The font and colour dialogs go through `dialogs` (tests answer them).
    void setStyleDialogs(ReaderStyleDialogs *dialogs);

    const ReaderSettings &readerSettings() const { return m_style; }
    bool isReading() const { return m_reader.isReading(); }

    void loadReaderSettings();
    void saveReaderSettings();
    void chooseTextFont();
    void chooseColour(int colourIndex);
    void loadChapterList();
    // "Исправить произношение «слово»…" for the word at `position` of the
    // chapter shown (a right-click, or F2 on the word being read); the
    // dialog, or null when there is no word there.
    PronunciationFixDialog *openPronunciationFix(int position);

signals:
    // The fix dialog's "Перезаписать эти блоки".
    void rerecordRequested(const QString &book, const QList<int> &blocks);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildToolbar();
    void buildStatusBar();
    // The text view's menu item and the key of the fix dialog.
    void buildPronunciationFix();
    void loadInitialState(const QStringList &books, const QString &selectedBook);

    void bookChosen();
    void chapterChosen(int row);
    void followReading();
    void previousChapter();
    void nextChapter();
    void play();
    void pause();
    void stop();
    void toggleLists();
    // Play, Pause and Stop as reading allows them.
    void showReadingState();

    void applyStyle();
    void highlight(int wordStart, int wordLength);
    // The status line's note on reading: sound gone, no highlighting, a failure.
    static QString readingNote(const ChapterReader::Progress &progress);
    // An invalid colour gives the range back the view's text colour.
    void paintRange(int from, int to, const QColor &colour);
    QString iniPath() const;

    QString m_programFolder;
    const Settings &m_settings;
    QString m_bookFolder;
    QStringList m_chapters;
    ReaderSettings m_style;
    ChapterReader m_reader;
    // The word coloured as being read, [m_wordStart, m_wordEnd); the text
    // before it has the colour of text already read.
    int m_wordStart = 0;
    int m_wordEnd = 0;

    std::unique_ptr<ReaderStyleDialogs> m_ownDialogs;
    ReaderStyleDialogs *m_dialogs = nullptr;

    QWidget *m_listsPanel = nullptr;
    QComboBox *m_bookCombo = nullptr;
    QListWidget *m_chapterList = nullptr;
    QPlainTextEdit *m_textView = nullptr;
    QToolBar *m_toolbar = nullptr;
    QAction *m_playAction = nullptr;
    QAction *m_pauseAction = nullptr;
    QAction *m_stopAction = nullptr;
    QList<QLabel *> m_statusLabels;
    QTimer *m_readingTimer = nullptr;
    // What the fix dialog speaks with, made when first needed.
    std::unique_ptr<TrialVoice> m_fixVoice;
};
