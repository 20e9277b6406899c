#pragma once

#include "common/ui/window_scaler.h"
#include "import/add_options.h"
#include "import/book_loader.h"
#include "import/chapter_detection.h"
#include "import/name_search_options.h"
#include "import/speaking_rate.h"
#include "import/text_search.h"
#include "import/word_converter.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
struct Settings;
class TrialVoice;
class UserDialogs;

// BookEditorWindow: the book editor ("Добавить книгу"). It holds the whole text of one
// book with its title and description, the chapter identifiers and the
// options of the add pass, and turns the text into a library project.
class BookEditorWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `mainSettings` is the main window's settings record (reading speed,
    // dictionary option); it outlives the editor. `voice` may be null.
    BookEditorWindow(const QString &programFolder, Settings &mainSettings, UserDialogs &dialogs,
                     TrialVoice *voice = nullptr, QWidget *parent = nullptr);
    ~BookEditorWindow() override;

    // The open command: the file dialog, then the file.
    void openFile();
    // A file named on the command line or dropped on a window.
    void openGivenFile(const QString &filePath);
    // The clipboard's text as the book.
    void loadFromClipboard();

    void loadEditorSettings();
    void saveEditorSettings();

    // The whole text with CR LF line ends.
    QString bookText() const;
    void setBookText(const QString &text);
    BookInformation information() const;
    // The options of the add pass as the controls show them.
    AddOptions options() const;
    const QList<ChapterIdentifier> &identifiers() const { return m_identifiers.entries(); }
    // "Редактирование", the text's context menu.
    QMenu *editMenu() const { return m_editMenu; }
    // "Поиск", the word analysis's options.
    QMenu *searchMenu() const { return m_searchMenu; }

    // The file dialogs and the input box; tests replace them. An empty
    // string or nothing means the user cancelled.
    std::function<QString(const QString &folder)> chooseOpenFile;
    std::function<QString()> chooseSaveFile;
    std::function<std::optional<QString>()> askIdentifier;
    // The word analysis of a text; by default the dictionary editor's name
    // finder over this window.
    std::function<void(const QString &text, const NameSearchOptions &options)> findNames;
    // The dictionary list window; by default modal over this window.
    std::function<void()> showDictionaryList;

signals:
    // The book is in the library; the main window selects it (and starts
    // recording it when `startRecording`).
    void bookAdded(const QString &book, bool startRecording);
    // The editor is closing; the main window comes back.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building (book_editor_window.cpp).
    void buildControls();
    void buildTextArea(QWidget *client);
    void buildFindFrame(QWidget *client);
    void buildTitleArea(QWidget *client);
    void buildInformationFrame(QWidget *client);
    void buildTextOptions(QWidget *client);
    void buildBlockOptions(QWidget *client);
    void buildPreviewFrame(QWidget *client);
    void buildBottomRow(QWidget *client);
    void buildEditMenu();
    void buildSearchMenu();
    void buildSpecialLinesMenu();
    void connectControls();
    void applyOptions(const AddOptions &options);
    void applyNameSearchOptions();
    void updateEnabledOptions();
    void scaleNow();
    void placeTextBesideFindFrame();
    void placeInScreenCentre();
    QString iniPath() const;

    // Loading (book_editor_window_loading.cpp).
    bool loadBookFile(const QString &filePath, const QString &fileTitle,
                      BookFileEncoding encoding = BookFileEncoding::Automatic);
    void rereadInChosenEncoding();
    bool textEditedSinceLoading() const;
    void showLoaded(const BookLoadResult &result);
    void showEncoding(const BookLoadResult &result);
    void warnOfGarbledText(const QString &readAs);
    void setInformation(const BookInformation &info);
    void showCover(const std::optional<BookCover> &cover);
    void bookIsLoaded();
    void dropOnText(const QList<QUrl> &urls);

    // Editing (book_editor_window_editing.cpp).
    void updateDurationEstimate();
    void showEditMenu(const QPoint &pos);
    void selectAll();
    void selectUp();
    void selectDown();
    void titleFromSelection();
    void validateTitle();
    void properCaseSelection();
    void findNext();
    void replaceAll();
    void undoReplace();
    void saveAs(bool selectionOnly);
    void sliderMoved(int position);
    void sizeEdited();
    void dictionaryOptionToggled(bool on);
    void analyseWords();
    void chooseWordLength(int choice);

    // Chapters, preview, adding (book_editor_window_chapters.cpp).
    void fillIdentifierList();
    void addIdentifier(const QString &text);
    void askAndAddIdentifier();
    void identifierFromText();
    void removeIdentifier();
    void setAllIdentifiers(bool on);
    void previewChapters();
    void stopPreview();
    void previewRowClicked(QTreeWidgetItem *item);
    void addBook();
    void setAdding(bool adding);
    // The learnt "Коэффициент1" at the byte rate of the voice's WAV files.
    SpeakingRate speakingRate() const;

    QString m_programFolder;
    Settings &m_mainSettings;
    UserDialogs &m_dialogs;
    TrialVoice *m_voice;
    LibreOfficeConverter m_wordConverter;
    BookLoader m_loader;
    ChapterIdentifierList m_identifiers;
    NameSearchOptions m_nameSearch;
    TextSearch m_search;
    std::optional<QString> m_beforeReplace;
    // What the preview's rows point into (CR LF text).
    QString m_previewText;
    int m_emptyCount = 0;
    bool m_previewStop = false;
    bool m_previewRunning = false;
    bool m_loading = false;
    bool m_bookLoaded = false;
    bool m_adding = false;
    bool m_closing = false;
    QString m_lastFolder;
    // The file the text was read from (empty after a paste), the encoding
    // list's entry it was read with, and a fingerprint of the text as read,
    // so a re-reading does not throw away edits unasked.
    QString m_bookFile;
    int m_readEncodingIndex = 0;
    size_t m_textAsReadHash = 0;

    QPlainTextEdit *m_bookTextEdit = nullptr; // RichTextBox1
    QFrame *m_findFrame = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QPushButton *m_replaceAllButton = nullptr;
    QPushButton *m_undoReplaceButton = nullptr;
    QPushButton *m_findNextButton = nullptr;
    QLineEdit *m_titleEdit = nullptr;      // title
    QLineEdit *m_sourceFileEdit = nullptr; // source path
    QComboBox *m_encodingList = nullptr;   // the file's encoding: automatic or the user's
    QPushButton *m_openFileButton = nullptr;
    QPushButton *m_pasteButton = nullptr;
    QPushButton *m_titleFromSelectionButton = nullptr;
    QPushButton *m_saveAsButton = nullptr;
    QCheckBox *m_showFindReplace = nullptr;
    QLabel *m_bookDurationLabel = nullptr;
    QGroupBox *m_infoFrame = nullptr;
    QList<QWidget *> m_informationFields; // the seven book information fields
    QLabel *m_coverLabel = nullptr;       // the loaded book's cover, beside the fields
    std::optional<BookCover> m_cover;
    QGroupBox *m_textProcessingFrame = nullptr;
    QCheckBox *m_analyseDialogues = nullptr;
    QCheckBox *m_twoVoiceDialogue = nullptr;
    QCheckBox *m_paragraphWithoutIndent = nullptr;
    QCheckBox *m_dialogueStartsWithQuotes = nullptr;
    QCheckBox *m_removeHyphens = nullptr;
    QCheckBox *m_spellOutYears = nullptr;
    QGroupBox *m_blockSplittingFrame = nullptr;
    QCheckBox *m_splitByChapters = nullptr;
    QListWidget *m_chapterIdentifierList = nullptr;
    QPushButton *m_addIdentifierButton = nullptr;
    QPushButton *m_removeIdentifierButton = nullptr;
    QPushButton *m_checkAllIdentifiersButton = nullptr;
    QPushButton *m_uncheckAllIdentifiersButton = nullptr;
    QCheckBox *m_splitBySize = nullptr;
    QLineEdit *m_maxBlockSizeEdit = nullptr;
    QLabel *m_blockDurationLabel = nullptr;
    QSlider *m_blockDurationSlider = nullptr;
    QGroupBox *m_previewFrame = nullptr;
    QTreeWidget *m_chapterPreviewList = nullptr;
    QPushButton *m_stopPreviewButton = nullptr;
    QGroupBox *m_dictionaryFrame = nullptr;
    QCheckBox *m_applyDictionaries = nullptr;
    QPushButton *m_analyseWordsButton = nullptr;
    QPushButton *m_dictionariesButton = nullptr;
    QPushButton *m_wordAnalysisOptionsButton = nullptr;
    QCheckBox *m_recordAfterAdding = nullptr;
    QPushButton *m_previewChaptersButton = nullptr;
    QPushButton *m_addBookButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_cutAction = nullptr;
    QAction *m_identifierFromSelectionAction = nullptr;
    QAction *m_saveSelectionAction = nullptr;
    QAction *m_titleFromSelectionAction = nullptr;
    QAction *m_properCaseAction = nullptr;
    QMenu *m_searchMenu = nullptr;
    QAction *m_findForeignWordsAction = nullptr;
    QAction *m_findAllWordsAction = nullptr;
    QList<QAction *> m_wordLengthActions;
    QMenu *m_specialLinesMenu = nullptr;
    QTimer *m_scaleTimer = nullptr;
    WindowScaler m_scaler;
};
