#pragma once

#include "app/ui/form_scaler.h"
#include "import/add_options.h"
#include "import/book_loader.h"
#include "import/chapter_detection.h"
#include "import/name_search_options.h"
#include "import/text_search.h"
#include "import/word_converter.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
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

// Form2: the book editor ("Добавить книгу"). It holds the whole text of one
// book with its title and description, the chapter identifiers and the
// options of the add pass, and turns the text into a library project.
class Form2 : public QMainWindow
{
    Q_OBJECT
public:
    // `mainSettings` is the main window's settings record (reading speed,
    // dictionary option); it outlives the editor. `voice` may be null.
    Form2(const QString &programFolder, Settings &mainSettings, UserDialogs &dialogs,
          TrialVoice *voice = nullptr, QWidget *parent = nullptr);
    ~Form2() override;

    // The open command: the file dialog, then the file.
    void openFile();
    // A file named on the command line or dropped on a window.
    void LoadExternal(const QString &InFileName);
    // The clipboard's text as the book.
    void LoadPaste();

    void LoadS();
    void SaveS();

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
    // Building (form2.cpp).
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

    // Loading (form2_loading.cpp).
    bool LoadFile(const QString &InFileName, const QString &InFileNm);
    void showLoaded(const BookLoadResult &result);
    void setInformation(const BookInformation &info);
    void bookIsLoaded();
    void dropOnText(const QList<QUrl> &urls);

    // Editing (form2_editing.cpp).
    void textChanged();
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

    // Chapters, preview, adding (form2_chapters.cpp).
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
    bool m_Loading = false;
    bool m_BookLoaded = false;
    bool m_adding = false;
    bool m_closing = false;
    QString m_lastFolder;

    QPlainTextEdit *m_text = nullptr;       // RichTextBox1
    QFrame *m_findFrame = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLineEdit *m_text4 = nullptr;
    QCheckBox *m_check12 = nullptr;
    QPushButton *m_command15 = nullptr;
    QPushButton *m_command16 = nullptr;
    QPushButton *m_command17 = nullptr;
    QLineEdit *m_text9 = nullptr;           // title
    QLineEdit *m_text2 = nullptr;           // source path
    QPushButton *m_command7 = nullptr;
    QPushButton *m_command9 = nullptr;
    QPushButton *m_command10 = nullptr;
    QPushButton *m_command14 = nullptr;
    QCheckBox *m_check11 = nullptr;
    QLabel *m_label11 = nullptr;
    QGroupBox *m_infoFrame = nullptr;
    QList<QWidget *> m_text5;               // Text5 elements 0 ... 6
    QGroupBox *m_textFrame = nullptr;
    QCheckBox *m_check3 = nullptr;
    QCheckBox *m_check9 = nullptr;
    QCheckBox *m_check4 = nullptr;
    QCheckBox *m_check5 = nullptr;
    QCheckBox *m_check6 = nullptr;
    QCheckBox *m_check10 = nullptr;
    QGroupBox *m_blockFrame = nullptr;
    QCheckBox *m_check2 = nullptr;
    QListWidget *m_list1 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command5 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command6 = nullptr;
    QCheckBox *m_check1 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLabel *m_label9 = nullptr;
    QSlider *m_slider1 = nullptr;
    QGroupBox *m_previewFrame = nullptr;
    QTreeWidget *m_listView1 = nullptr;
    QPushButton *m_command12 = nullptr;
    QGroupBox *m_dictionaryFrame = nullptr;
    QCheckBox *m_check7 = nullptr;
    QPushButton *m_command13 = nullptr;
    QPushButton *m_command18 = nullptr;
    QPushButton *m_command19 = nullptr;
    QCheckBox *m_check8 = nullptr;
    QPushButton *m_command11 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command3 = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_mnCut = nullptr;
    QAction *m_mnChapter = nullptr;
    QAction *m_mnSaveSelection = nullptr;
    QAction *m_mnTitle = nullptr;
    QAction *m_mnPropCase = nullptr;
    QMenu *m_searchMenu = nullptr;
    QAction *m_fndLAT = nullptr;
    QAction *m_fndLONG = nullptr;
    QList<QAction *> m_fwl;
    QMenu *m_specialLines = nullptr;
    QTimer *m_szTimer = nullptr;
    FormScaler m_scaler;
};
