#pragma once

#include "dictionaries/dictionaries.h"
#include "dictionaries/editor_sections.h"
#include "dictionaries/exception_dictionary.h"
#include "dictionaries/name_finder.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTabWidget;
class QTableView;
class QTimer;
class DictionaryRowsModel;
class NameFinderPane;
class RightClickButton;
class TrialVoice;
class UserDialogs;

// DictionaryEditorWindow: "Редактор словаря ударений", the dictionary editor. It edits one
// own dictionary in six views (the whole and five kinds of entries) or the
// speech engine's exception dictionary, tries words aloud, and hosts the
// name finder.
class DictionaryEditorWindow : public QMainWindow
{
    Q_OBJECT
public:
    enum Mode { SpeechCubeMode = 0, OwnMode = 1 };

    // `voice` may be null: the trial buttons are then disabled.
    DictionaryEditorWindow(const QString &programFolder, UserDialogs &dialogs, TrialVoice *voice = nullptr,
                           QWidget *parent = nullptr);
    ~DictionaryEditorWindow() override;

    void showAndRaise();
    // The book editor's word search: shows the finder's tab and runs it.
    // An empty text searches nothing.
    void findNamesInBook(const QString &text, const NameFinderOptions &options);
    void setVoice(TrialVoice *voice);

    void storeShownRows(int section);
    void showStoredRows(int section);
    void loadOwnDictionary(const QString &path, bool split);
    bool saveOwnDictionary(const QString &toFile = {});
    void speak(const QString &text, bool purge = false);
    // `rewritten` (the word after the dictionaries, or as typed) with the
    // automatic stresses the recording would give it, `original` being the
    // word as the book writes it.
    QString asRecorded(const QString &original, const QString &rewritten) const;
    void removeRepeatedEntries();
    void loadEditorSettings();
    void saveEditorSettings();

    Mode mode() const { return m_mode; }
    int section() const { return m_section; }
    const QList<DicRow> &rows() const;
    QString currentDictionaryName() const;

    // The file dialog for the engine's dictionary and the directory that
    // opens for "Словари..."; tests replace them.
    std::function<QString()> chooseEngineFile;
    std::function<void()> openDictionaryList;
    // Opens the list window over the editor and reloads the choice afterwards.
    void showDictionaryList();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenusAndToolbar();
    void connectControls();

    // Modes and dictionaries.
    void enterMode(Mode mode);
    void setModeTexts();
    void fillDictionaryChoices();
    void onDictionaryChosen(int position);
    bool mayLeaveDictionary();
    QString ownDictionaryPath() const;
    void loadEngineDictionary();
    void saveEngineDictionary();
    void saveDictionary();
    // After a save: the blocks of the library the save changes.
    void showTouchedBlocks(const Dictionaries &before);
    void askEnginePath();

    // Sections and rows.
    void showSection(int section);
    void updateCount();
    int selectedRow() const;
    QList<int> selectedRows() const;
    void selectRow(int row);
    void onRowSelected();
    DicRow rowFromFields() const;
    void markChanged();
    void addRow();
    void saveRow();
    void deleteRow();
    void cycleMarkers(bool allForms);
    void findAffectingEntry();
    void findPlace();
    void sortRows();
    void cutRows(bool remove);
    void pasteRows();
    void searchTyped();
    void insertStress(const QString &mark);
    QString stressMark() const;

    // Trials.
    void tryWithDictionary(bool plain);
    void tryWithoutDictionaries();
    void showStatus(const QString &text);
    QString iniPath() const;

    QString m_programFolder;
    UserDialogs &m_dialogs;
    TrialVoice *m_voice = nullptr;
    Dictionaries m_dictionaries;
    EditorRecords m_records;
    int m_section = -1;
    bool m_shownRowsChanged = false;
    bool m_dictionaryChanged = false;
    Mode m_mode = OwnMode;
    QString m_engineDictionaryPath;
    int m_currentChoice = 0;
    QList<DicRow> m_copiedRows;
    bool m_changingChoice = false;

    DictionaryRowsModel *m_model = nullptr;
    QTabWidget *m_pageTabs = nullptr;
    QTabBar *m_sectionTabs = nullptr;
    QTableView *m_entryTable = nullptr;
    QRadioButton *m_engineModeOption = nullptr;
    QRadioButton *m_ownModeOption = nullptr;
    QComboBox *m_dictionaryChoice = nullptr;
    QLabel *m_enginePathLabel = nullptr;
    QLabel *m_entryCountLabel = nullptr;
    QLineEdit *m_wordEdit = nullptr;
    QLineEdit *m_pronunciationEdit = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_speakOnSelection = nullptr;
    QCheckBox *m_trialWithEngineDictionary = nullptr;
    QPushButton *m_saveDictionaryButton = nullptr;
    QPushButton *m_loadDictionaryButton = nullptr;
    QPushButton *m_sortButton = nullptr;
    RightClickButton *m_tryWithDictionaryButton = nullptr;
    RightClickButton *m_insertStressButton = nullptr;
    QList<QWidget *> m_trialControls;
    QAction *m_cutAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_pasteAction = nullptr;
    QAction *m_keepDeletedAction = nullptr;
    QAction *m_removeDifferentAction = nullptr;
    QAction *m_autoSaveAction = nullptr;
    QTimer *m_searchTimer = nullptr;
    NameFinderPane *m_finder = nullptr;
};
