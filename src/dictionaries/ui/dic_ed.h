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
class DicRowsModel;
class FindNames;
class RightClickButton;
class TrialVoice;
class UserDialogs;

// DicEd: "Редактор словаря ударений", the dictionary editor. It edits one
// own dictionary in six views (the whole and five kinds of entries) or the
// speech engine's exception dictionary, tries words aloud, and hosts the
// name finder.
class DicEd : public QMainWindow
{
    Q_OBJECT
public:
    enum Mode { SpeechCubeMode = 0, OwnMode = 1 };

    // `voice` may be null: the trial buttons are then disabled.
    DicEd(const QString &programFolder, UserDialogs &dialogs, TrialVoice *voice = nullptr,
          QWidget *parent = nullptr);
    ~DicEd() override;

    void ShowMe();
    // The book editor's word search: shows the finder's tab and runs it.
    // An empty text searches nothing.
    void FindNames(const QString &text, bool noForeignWords, bool noAllWords, int minimumLength);
    void setVoice(TrialVoice *voice);

    void ReadDicList(int section);
    void FillDicList(int section);
    void LoadLtDic(const QString &path, bool split);
    bool SaveLtDic(const QString &toFile = {});
    void Spk(const QString &text, bool cleaR = false);
    void CheckDic();
    void LoadS();
    void SaveS();

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
    void LoadLt();
    void SaveSCDic();
    void saveDictionary();
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
    bool m_listChanged = false;
    bool m_dicChanged = false;
    Mode m_mode = OwnMode;
    QString m_scPath;
    int m_current = 0;
    QList<DicRow> m_buffer;
    bool m_changingChoice = false;

    DicRowsModel *m_model = nullptr;
    QTabWidget *m_pages = nullptr;
    QTabBar *m_sections = nullptr;
    QTableView *m_view = nullptr;
    QRadioButton *m_optionCube = nullptr;
    QRadioButton *m_optionOwn = nullptr;
    QComboBox *m_choice = nullptr;
    QLabel *m_enginePathLabel = nullptr;
    QLabel *m_count = nullptr;
    QLineEdit *m_word = nullptr;
    QLineEdit *m_pronunciation = nullptr;
    QLineEdit *m_search = nullptr;
    QCheckBox *m_caseBox = nullptr;
    QCheckBox *m_autoSpeak = nullptr;
    QCheckBox *m_cubeBox = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_loadButton = nullptr;
    QPushButton *m_sortButton = nullptr;
    RightClickButton *m_tryButton = nullptr;
    RightClickButton *m_stressButton = nullptr;
    QList<QWidget *> m_trialControls;
    QAction *m_cut = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_keepDeleted = nullptr;
    QAction *m_removeDifferent = nullptr;
    QAction *m_autoSave = nullptr;
    QTimer *m_searchTimer = nullptr;
    class FindNames *m_finder = nullptr;
};
