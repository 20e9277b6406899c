#include "dictionaries/ui/dictionary_editor_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "dictionaries/ui/dictionary_list_dialog.h"
#include "dictionaries/ui/dictionary_rows_model.h"
#include "dictionaries/ui/name_finder_pane.h"
#include "dictionaries/ui/right_click_button.h"

#include "dictionaries/dictionary_file.h"
#include "dictionaries/dictionary_save_notice.h"
#include "dictionaries/editor_rows.h"
#include "dictionaries/trial_voice.h"
#include "dictionaries/ui/dictionary_debugger_window.h"

#include "app/library.h"
#include "common/ini_file.h"
#include "common/program_folder.h"
#include "common/program_version.h"
#include "common/ui/window_placement_ui.h"
#include "common/user_dialogs.h"
#include "recording/touched_blocks.h"
#include "stress/spoken_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Редактор словаря");
const QString kTitle = QStringLiteral("Lectorium");

template <typename Button = QPushButton>
Button *button(QWidget *parent, const char *name, const QString &caption, const QString &tip)
{
    auto *b = new Button(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    return b;
}

QLineEdit *field(QWidget *parent, const char *name, const QString &placeholder, const QString &tip = {})
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(placeholder);
    edit->setToolTip(tip.isEmpty() ? placeholder : tip);
    return edit;
}

QString withoutStars(QString word)
{
    return word.remove(u'*');
}

} // namespace

DictionaryEditorWindow::DictionaryEditorWindow(const QString &programFolder, UserDialogs &dialogs, TrialVoice *voice,
                                               QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder), m_dialogs(dialogs), m_voice(voice),
      m_dictionaries(programFolder)
{
    setObjectName(QStringLiteral("DictionaryEditorWindow"));
    installHelpKey(this, HelpAnchor::dictionaryEditor);
    setWindowTitle(QStringLiteral("Редактор словаря ударений"));
    buildControls();
    buildMenusAndToolbar();
    connectControls();

    chooseEngineFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Словарь Speech Cube"),
                                            QFileInfo(m_engineDictionaryPath).absolutePath(),
                                            QStringLiteral("Словарь Speech Cube (exc_rus.txt)"));
    };
    openDictionaryList = [this] {
        DictionaryListDialog list(m_programFolder, m_dialogs, this);
        list.exec();
    };

    loadEditorSettings();
    setVoice(voice);
    m_dictionaryChoice->addItem(kTitle);
    enterMode(m_mode);
}

DictionaryEditorWindow::~DictionaryEditorWindow() = default;

void DictionaryEditorWindow::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_pageTabs = new QTabWidget(central);
    m_pageTabs->setObjectName(QStringLiteral("pageTabs"));

    // The dictionary page.
    auto *page = new QWidget(m_pageTabs);
    m_engineModeOption = button<QRadioButton>(page, "engineModeOption", QStringLiteral("Speech Cube"),
                                              QStringLiteral("Редактировать словарь Speech Cube"));
    m_ownModeOption =
        button<QRadioButton>(page, "ownModeOption", kTitle, QStringLiteral("Редактировать словарь Lectorium"));
    m_dictionaryChoice = new QComboBox(page);
    m_dictionaryChoice->setObjectName(QStringLiteral("dictionaryChoice"));
    // Room for a name like "rulex-exp.dic"; a longer one is whole in the tooltip.
    m_dictionaryChoice->setMinimumContentsLength(14);
    m_dictionaryChoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(m_dictionaryChoice, &QComboBox::currentTextChanged, m_dictionaryChoice,
            [this](const QString &name) { m_dictionaryChoice->setToolTip(QStringLiteral("Словарь: ") + name); });
    m_enginePathLabel = new QLabel(page);
    m_enginePathLabel->setObjectName(QStringLiteral("enginePathLabel"));
    m_enginePathLabel->setToolTip(QStringLiteral("Файл словаря"));
    m_enginePathLabel->installEventFilter(this);

    m_sectionTabs = new QTabBar(page);
    m_sectionTabs->setObjectName(QStringLiteral("sectionTabs"));
    const QString captions[] = {QStringLiteral("Весь словарь"), QStringLiteral("$АZ"),   QStringLiteral("а"),
                                QStringLiteral("$*А *А* А*"),   QStringLiteral("*а а*"), QStringLiteral("*а*")};
    const QString tips[] = {
        QStringLiteral("Все записи словаря"),
        QStringLiteral("Слова без подстан. знаков, чувствительные к регистру. (Имена, названия аббревиатуры и др.)"),
        QStringLiteral("Простые слова (без подстан. знаков)"),
        QStringLiteral("Слова с подстановочными знаками, чувствительные к регистру"),
        QStringLiteral("Слова с подстановочными знаками"),
        QStringLiteral("*...* автозамена")};
    for (int i = 0; i < kSectionCount; ++i) {
        m_sectionTabs->addTab(captions[i]);
        m_sectionTabs->setTabToolTip(i, tips[i]);
    }

    m_model = new DictionaryRowsModel(this);
    m_entryTable = new QTableView(page);
    m_entryTable->setObjectName(QStringLiteral("entryTable"));
    m_entryTable->setModel(m_model);
    m_entryTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_entryTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_entryTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_entryTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_entryTable->verticalHeader()->setDefaultSectionSize(m_entryTable->fontMetrics().height() + 4);
    m_entryTable->verticalHeader()->hide();
    m_entryTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_entryTable->horizontalHeader()->setStretchLastSection(false);
    m_entryTable->setColumnWidth(0, 200);
    m_entryTable->setColumnWidth(1, 200);
    m_entryTable->setColumnWidth(2, 30);
    m_entryCountLabel = new QLabel(page);
    m_entryCountLabel->setObjectName(QStringLiteral("entryCountLabel"));
    m_entryCountLabel->setToolTip(QStringLiteral("Кол-во записей в словаре"));

    m_wordEdit = field(page, "wordEdit", QStringLiteral("Слово..."));
    m_pronunciationEdit =
        field(page, "pronunciationEdit", QStringLiteral("Произносится как ... (нажмите Insert для вставки ударения)"));
    m_pronunciationEdit->installEventFilter(this);
    m_matchCase = button<QCheckBox>(page, "matchCase", QStringLiteral("Учитывать регистр"),
                                    QStringLiteral("Различать заглавные и строчные буквы в этом слове"));
    m_searchEdit = field(page, "searchEdit", QStringLiteral("Поиск слова в словаре и проба на слух"));
    m_searchEdit->installEventFilter(this);
    m_speakOnSelection = button<QCheckBox>(
        page, "speakOnSelection", QStringLiteral("Автоматически произносить слово и произношение при выборе"), {});
    m_trialWithEngineDictionary =
        button<QCheckBox>(page, "trialWithEngineDictionary", QStringLiteral("Словарь Speech Cube"),
                          QStringLiteral("Произносить исходное слово с учетом словаря Speech Cube"));

    auto *add =
        button(page, "addEntryButton", QStringLiteral("Добавить"), QStringLiteral("Добавить новое слово в словарь"));
    auto *saveRowButton = button(page, "updateEntryButton", QStringLiteral("Изменить"),
                                 QStringLiteral("Сохранить изменения в выделенном слове"));
    auto *remove = button(page, "deleteEntryButton", QStringLiteral("Удалить"),
                          QStringLiteral("Удалить выделенное слово из словаря"));
    auto *markers = button<RightClickButton>(page, "cycleWildcardsButton", QStringLiteral("*"),
                                             QStringLiteral("Перебор подстановочных символов"));
    auto *affecting = button(page, "findAffectingEntryButton", QStringLiteral("Найти запись"),
                             QStringLiteral("Найти запись, влияющую на введенное слово"));
    auto *place = button(page, "findPlaceButton", QStringLiteral("Найти позицию"),
                         QStringLiteral("Найти подходящую позицию для новой записи (по алфавиту)"));
    m_sortButton =
        button(page, "sortButton", QStringLiteral("Сортировать"), QStringLiteral("Отсортировать словарь по разделам"));
    m_saveDictionaryButton = button(page, "saveDictionaryButton", QStringLiteral("Сохранить"), QString());
    m_loadDictionaryButton = button(page, "loadDictionaryButton", QString(), QString());
    m_tryWithDictionaryButton =
        button<RightClickButton>(page, "tryWithDictionaryButton", QStringLiteral("Проба"), QString());
    auto *tryPlain = button(page, "tryWithoutDictionariesButton", QStringLiteral("Без словарей"),
                            QStringLiteral("Проба (без словарей)"));
    auto *tryTyped = button(page, "tryPronunciationButton", QStringLiteral("Произношение"),
                            QStringLiteral("Проба (введенное произношение)"));
    m_insertStressButton =
        button<RightClickButton>(page, "insertStressButton", QStringLiteral("<"), QStringLiteral("Вставить ударение"));
    auto *font = button(page, "chooseFontButton", QStringLiteral("Шрифт..."), QStringLiteral("Выбрать шрифт"));
    auto *check =
        button(page, "checkRepeatsButton", QStringLiteral("Повторы"), QStringLiteral("Проверить словарь на повторы"));
    m_trialControls = {m_tryWithDictionaryButton, tryPlain, tryTyped, m_speakOnSelection};

    auto *top = new QHBoxLayout;
    top->addWidget(m_engineModeOption);
    top->addWidget(m_ownModeOption);
    top->addWidget(m_dictionaryChoice, 1);
    top->addWidget(m_loadDictionaryButton);
    top->addWidget(m_saveDictionaryButton);
    auto *left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_enginePathLabel);
    left->addWidget(m_sectionTabs);
    left->addWidget(m_entryTable, 1);
    left->addWidget(m_entryCountLabel);
    auto *edit = new QGridLayout;
    edit->addWidget(m_wordEdit, 0, 0, 1, 2);
    edit->addWidget(markers, 0, 2);
    edit->addWidget(m_pronunciationEdit, 1, 0, 1, 2);
    edit->addWidget(m_insertStressButton, 1, 2);
    edit->addWidget(m_matchCase, 2, 0, 1, 3);
    edit->addWidget(add, 3, 0);
    edit->addWidget(saveRowButton, 3, 1);
    edit->addWidget(remove, 3, 2);
    edit->addWidget(place, 4, 0);
    edit->addWidget(m_sortButton, 4, 1);
    edit->addWidget(check, 4, 2);
    edit->addWidget(m_searchEdit, 5, 0, 1, 3);
    edit->addWidget(affecting, 6, 0);
    edit->addWidget(m_tryWithDictionaryButton, 6, 1);
    edit->addWidget(tryPlain, 7, 0);
    edit->addWidget(tryTyped, 7, 1);
    edit->addWidget(m_speakOnSelection, 8, 0, 1, 3);
    edit->addWidget(m_trialWithEngineDictionary, 9, 0, 1, 3);
    edit->addWidget(font, 10, 0);
    edit->setRowStretch(11, 1);
    auto *pageLayout = new QHBoxLayout(page);
    pageLayout->addLayout(left, 3);
    pageLayout->addLayout(edit, 2);
    m_pageTabs->addTab(page, QStringLiteral("Словарь"));

    m_finder = new NameFinderPane(m_programFolder, m_dictionaries, m_dialogs, m_pageTabs);
    m_pageTabs->addTab(m_finder, QStringLiteral("Поиск имен"));
    m_trialControls.append(m_finder->findChild<QPushButton *>(QStringLiteral("tryFoundWordButton")));

    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_pageTabs);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    m_searchTimer = new QTimer(this);
    m_searchTimer->setSingleShot(true);
    m_searchTimer->setInterval(300);
    resize(900, 600);

    connect(add, &QPushButton::clicked, this, &DictionaryEditorWindow::addRow);
    connect(saveRowButton, &QPushButton::clicked, this, &DictionaryEditorWindow::saveRow);
    connect(remove, &QPushButton::clicked, this, &DictionaryEditorWindow::deleteRow);
    connect(markers, &QPushButton::clicked, this, [this] { cycleMarkers(false); });
    connect(markers, &RightClickButton::rightClicked, this, [this] { cycleMarkers(true); });
    connect(affecting, &QPushButton::clicked, this, &DictionaryEditorWindow::findAffectingEntry);
    connect(place, &QPushButton::clicked, this, &DictionaryEditorWindow::findPlace);
    connect(check, &QPushButton::clicked, this, &DictionaryEditorWindow::removeRepeatedEntries);
    connect(tryPlain, &QPushButton::clicked, this, &DictionaryEditorWindow::tryWithoutDictionaries);
    connect(tryTyped, &QPushButton::clicked, this, [this] {
        const QString typed = m_pronunciationEdit->text();
        speak(m_mode == OwnMode ? asRecorded(withoutStars(m_wordEdit->text()), typed) : typed, true);
    });
    connect(m_insertStressButton, &QPushButton::clicked, this, [this] { insertStress(stressMark()); });
    connect(m_insertStressButton, &RightClickButton::rightClicked, this, [this] { insertStress(QStringLiteral(">")); });
    connect(font, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, m_entryTable->font(), this);
        if (ok)
            m_entryTable->setFont(chosen);
    });
}

void DictionaryEditorWindow::buildMenusAndToolbar()
{
    auto *tools = addToolBar(QStringLiteral("Правка"));
    tools->setObjectName(QStringLiteral("editToolBar"));
    m_cutAction = tools->addAction(QStringLiteral("Вырезать"));
    m_cutAction->setObjectName(QStringLiteral("cutAction"));
    m_cutAction->setToolTip(QStringLiteral("Вырезать выделенные записи словаря"));
    m_copyAction = tools->addAction(QStringLiteral("Копировать"));
    m_copyAction->setObjectName(QStringLiteral("copyAction"));
    m_copyAction->setToolTip(QStringLiteral("Копировать выделенные записи словаря"));
    m_pasteAction = tools->addAction(QStringLiteral("Вставить"));
    m_pasteAction->setObjectName(QStringLiteral("pasteAction"));
    m_pasteAction->setToolTip(QStringLiteral("Вставить из буфера (после выделенной записи)"));
    m_pasteAction->setEnabled(false);

    QMenu *options = menuBar()->addMenu(QStringLiteral("Настройки"));
    auto checkable = [options](const char *name, const QString &caption) {
        QAction *action = options->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        return action;
    };
    m_keepDeletedAction = checkable("keepDeletedAction", QStringLiteral("Сохранять удаленные в список исключений"));
    m_removeDifferentAction =
        checkable("removeDifferentAction", QStringLiteral("Удалять различные произношения автоматически"));
    m_autoSaveAction = checkable("autoSaveAction", QStringLiteral("Сохранять автоматически"));
    QAction *checkItem = options->addAction(QStringLiteral("Проверить словарь на повторы"));
    checkItem->setObjectName(QStringLiteral("checkRepeatsAction"));
    connect(checkItem, &QAction::triggered, this, &DictionaryEditorWindow::removeRepeatedEntries);
    QAction *debuggerItem = options->addAction(QStringLiteral("Отладчик словарей..."));
    debuggerItem->setObjectName(QStringLiteral("debuggerAction"));
    debuggerItem->setToolTip(QStringLiteral("Текст до и после обработки включенными словарями"));
    connect(debuggerItem, &QAction::triggered, this, [this] {
        DictionaryDebuggerWindow debugger(m_programFolder, m_dialogs, this);
        debugger.exec();
    });
    connect(m_cutAction, &QAction::triggered, this, [this] { cutRows(true); });
    connect(m_copyAction, &QAction::triggered, this, [this] { cutRows(false); });
    connect(m_pasteAction, &QAction::triggered, this, &DictionaryEditorWindow::pasteRows);
}

void DictionaryEditorWindow::connectControls()
{
    connect(m_engineModeOption, &QRadioButton::clicked, this, [this] { enterMode(SpeechCubeMode); });
    connect(m_ownModeOption, &QRadioButton::clicked, this, [this] { enterMode(OwnMode); });
    connect(m_dictionaryChoice, &QComboBox::currentIndexChanged, this, &DictionaryEditorWindow::onDictionaryChosen);
    connect(m_sectionTabs, &QTabBar::currentChanged, this, &DictionaryEditorWindow::showSection);
    connect(m_entryTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &DictionaryEditorWindow::onRowSelected);
    connect(m_saveDictionaryButton, &QPushButton::clicked, this, &DictionaryEditorWindow::saveDictionary);
    connect(m_loadDictionaryButton, &QPushButton::clicked, this, [this] {
        if (m_mode == OwnMode)
            showDictionaryList();
        else
            askEnginePath();
    });
    connect(m_sortButton, &QPushButton::clicked, this, &DictionaryEditorWindow::sortRows);
    connect(m_tryWithDictionaryButton, &QPushButton::clicked, this, [this] { tryWithDictionary(false); });
    connect(m_tryWithDictionaryButton, &RightClickButton::rightClicked, this, [this] { tryWithDictionary(true); });
    connect(m_searchEdit, &QLineEdit::textEdited, m_searchTimer, qOverload<>(&QTimer::start));
    connect(m_searchTimer, &QTimer::timeout, this, &DictionaryEditorWindow::searchTyped);
    connect(m_finder, &NameFinderPane::status, this, &DictionaryEditorWindow::showStatus);
    connect(m_finder, &NameFinderPane::editWord, this, [this](const QString &word) {
        m_pageTabs->setCurrentIndex(0);
        m_wordEdit->setText(word);
        m_searchEdit->setText(word);
    });
    // The pronunciation starts as the word itself: the user only places the
    // stress (Insert) and adds the entry.
    connect(m_finder, &NameFinderPane::giveStress, this, [this](const QString &word) {
        m_pageTabs->setCurrentIndex(0);
        m_wordEdit->setText(word);
        m_searchEdit->setText(word);
        m_pronunciationEdit->setText(word);
        m_pronunciationEdit->setFocus();
        m_pronunciationEdit->setCursorPosition(0);
    });
    connect(m_finder, &NameFinderPane::speakWord, this, [this](const QString &word) { speak(word, true); });
    m_finder->engineRows = [this]() -> std::optional<QList<ExceptionRow>> {
        if (m_mode == OwnMode)
            return std::nullopt;
        QList<ExceptionRow> rows;
        for (const DicRow &row : m_model->rows())
            rows.append({row.word, row.pronunciation, row.flag});
        return rows;
    };
}

// ---- settings -----------------------------------------------------------------

QString DictionaryEditorWindow::iniPath() const
{
    return ProgramFolder(m_programFolder).settingsFile();
}

void DictionaryEditorWindow::loadEditorSettings()
{
    const IniDocument ini = IniDocument::load(iniPath());
    m_engineDictionaryPath = ini.read(kSection, QStringLiteral("Путь к словарю Speech Cube")).value_or(QString());
    m_mode = ini.read(kSection, QStringLiteral("Словарь")).value_or(QStringLiteral("1")).toInt() == 0 ? SpeechCubeMode
                                                                                                      : OwnMode;
    m_currentChoice = std::max(0, ini.read(kSection, QStringLiteral("Текущий")).value_or(QStringLiteral("0")).toInt());
    QFont font = m_entryTable->font();
    if (const auto name = ini.read(kSection, QStringLiteral("FontName")))
        font.setFamily(*name);
    auto flag = [&](const char *key) {
        return ini.read(kSection, QLatin1String(key)).value_or(QString()).toInt() != 0;
    };
    font.setBold(flag("FontBold"));
    font.setItalic(flag("FontItalic"));
    font.setStrikeOut(flag("FontStr"));
    font.setUnderline(flag("FontUnd"));
    if (const double size = ini.read(kSection, QStringLiteral("FontSize")).value_or(QString()).toDouble(); size > 0)
        font.setPointSizeF(size);
    m_entryTable->setFont(font);
    if (const auto placement = ini.read(QStringLiteral("Окна"), QStringLiteral("Редактор словаря")))
        applyWindowPlacement(this, *placement);
    m_enginePathLabel->setText(m_engineDictionaryPath);
}

void DictionaryEditorWindow::saveEditorSettings()
{
    std::optional<IniDocument> ini = IniDocument::loadForUpdate(iniPath());
    if (!ini)
        return;
    const QFont font = m_entryTable->font();
    ini->write(kSection, QStringLiteral("Путь к словарю Speech Cube"), m_engineDictionaryPath);
    ini->write(kSection, QStringLiteral("Словарь"), int(m_mode));
    ini->write(kSection, QStringLiteral("Текущий"), m_currentChoice);
    ini->write(kSection, QStringLiteral("FontName"), font.family());
    ini->write(kSection, QStringLiteral("FontBold"), int(font.bold()));
    ini->write(kSection, QStringLiteral("FontItalic"), int(font.italic()));
    ini->write(kSection, QStringLiteral("FontSize"), font.pointSizeF());
    ini->write(kSection, QStringLiteral("FontStr"), int(font.strikeOut()));
    ini->write(kSection, QStringLiteral("FontUnd"), int(font.underline()));
    ini->write(QStringLiteral("Окна"), QStringLiteral("Редактор словаря"), windowPlacement(this));
    ini->save(iniPath());
}

void DictionaryEditorWindow::showAndRaise()
{
    show();
    raise();
    activateWindow();
}

void DictionaryEditorWindow::closeEvent(QCloseEvent *event)
{
    if (!mayLeaveDictionary()) {
        event->ignore();
        return;
    }
    m_finder->findChild<QPushButton *>(QStringLiteral("stopSearchButton"))->click();
    saveEditorSettings();
    event->accept();
}

void DictionaryEditorWindow::setVoice(TrialVoice *voice)
{
    m_voice = voice;
    for (QWidget *control : m_trialControls)
        control->setEnabled(voice != nullptr);
    m_insertStressButton->setText(stressMark());
}

void DictionaryEditorWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}

// ---- modes and dictionaries ----------------------------------------------------

bool DictionaryEditorWindow::mayLeaveDictionary()
{
    if (!m_dictionaryChanged)
        return true;
    const QString text =
        m_mode == OwnMode
            ? QStringLiteral("Словарь \"%1\" был изменен.\nСохранить изменения?").arg(currentDictionaryName())
            : QStringLiteral("Загруженный словарь был изменен.\nСохранить изменения?");
    switch (
        m_dialogs.show({QStringLiteral("Редактор словаря"), text, DialogIcon::Question, DialogButtons::YesNoCancel})) {
    case DialogAnswer::Cancel: return false;
    case DialogAnswer::Yes:
        if (m_mode == OwnMode) {
            if (!saveOwnDictionary())
                return false;
        } else {
            saveEngineDictionary();
        }
        break;
    default: break;
    }
    m_dictionaryChanged = false;
    return true;
}

void DictionaryEditorWindow::enterMode(Mode mode)
{
    if (mode != m_mode || m_section != -1 || m_model->rowCount() > 0) {
        if (!mayLeaveDictionary()) {
            (m_mode == OwnMode ? m_ownModeOption : m_engineModeOption)->setChecked(true);
            return;
        }
    }
    m_mode = mode;
    (mode == OwnMode ? m_ownModeOption : m_engineModeOption)->setChecked(true);
    m_section = -1;
    m_shownRowsChanged = false;
    m_dictionaryChanged = false;
    m_model->setRows({});
    setModeTexts();
    if (mode == OwnMode)
        fillDictionaryChoices();
    else
        loadEngineDictionary();
    updateCount();
}

void DictionaryEditorWindow::setModeTexts()
{
    const bool own = m_mode == OwnMode;
    m_saveDictionaryButton->setToolTip(own ? QStringLiteral("Сохранить словарь Main.dic")
                                           : QStringLiteral("Сохранить словарь в каталог Speech Cube"));
    m_loadDictionaryButton->setText(own ? QStringLiteral("Словари...") : QStringLiteral("Загрузить..."));
    m_loadDictionaryButton->setToolTip(own ? QStringLiteral("Список используемых словарей...")
                                           : QStringLiteral("Добавить словарь..."));
    m_tryWithDictionaryButton->setToolTip(
        own ? QStringLiteral("Левый клик - проба со словарем, правый - без словаря (как есть)")
            : QStringLiteral("Проба (загруженный словарь)"));
    m_model->setCaseHeader(own ? kCaseSensitiveMark : QStringLiteral("/i"));
    m_insertStressButton->setText(stressMark());
    // The engine's list has no kinds of entries: it is shown whole.
    m_sectionTabs->setEnabled(own);
    m_dictionaryChoice->setEnabled(own);
    m_enginePathLabel->setVisible(!own);
    m_saveDictionaryButton->setEnabled(true);
}

void DictionaryEditorWindow::fillDictionaryChoices()
{
    m_dictionaries.loadDictionaryList();
    const DictionaryList &list = m_dictionaries.dicList();
    m_changingChoice = true;
    m_dictionaryChoice->clear();
    for (int i = 0; i < list.size(); ++i)
        if (list[i].enabled)
            m_dictionaryChoice->addItem(list[i].name, i);
    m_changingChoice = false;
    if (m_dictionaryChoice->count() == 0) {
        m_records = {};
        m_saveDictionaryButton->setEnabled(false);
        m_dialogs.show({kTitle,
                        QStringLiteral("Нет загруженных словарей.\nНажмите кнопку \"Словари...\" чтобы загрузить "
                                       "словарь из файла или создать новый."),
                        DialogIcon::Information, DialogButtons::Ok});
        return;
    }
    // The first dictionary added while the editor is open can be saved.
    m_saveDictionaryButton->setEnabled(true);
    if (m_currentChoice >= m_dictionaryChoice->count())
        m_currentChoice = 0;
    m_changingChoice = true;
    m_dictionaryChoice->setCurrentIndex(m_currentChoice);
    m_changingChoice = false;
    loadOwnDictionary(ownDictionaryPath(), true);
    m_section = -1;
    showSection(0);
}

QString DictionaryEditorWindow::currentDictionaryName() const
{
    const int index = m_dictionaryChoice->itemData(m_currentChoice).toInt();
    return m_dictionaries.dicList().value(index).name;
}

QString DictionaryEditorWindow::ownDictionaryPath() const
{
    return pathInDictionaryFolder(m_dictionaries.dictionaryFolder(), currentDictionaryName());
}

void DictionaryEditorWindow::onDictionaryChosen(int position)
{
    if (m_changingChoice || position < 0 || m_mode != OwnMode || position == m_currentChoice)
        return;
    if (!mayLeaveDictionary()) {
        m_changingChoice = true;
        m_dictionaryChoice->setCurrentIndex(m_currentChoice);
        m_changingChoice = false;
        return;
    }
    m_currentChoice = position;
    loadOwnDictionary(ownDictionaryPath(), true);
    m_section = -1;
    showSection(0);
}

void DictionaryEditorWindow::showDictionaryList()
{
    if (!mayLeaveDictionary())
        return;
    openDictionaryList();
    const QString current = currentDictionaryName();
    m_section = -1;
    m_dictionaryChanged = false;
    fillDictionaryChoices();
    const int position = m_dictionaryChoice->findText(current);
    if (position > 0)
        m_dictionaryChoice->setCurrentIndex(position);
}

void DictionaryEditorWindow::loadOwnDictionary(const QString &path, bool split)
{
    m_dictionaries.clearEntries();
    m_dictionaries.loadDictionaryFile(path, false);
    if (split)
        m_records = {};
    m_records[0] = m_dictionaries.activeTable();
    if (split)
        splitIntoSections(m_records);
    m_dictionaryChanged = false;
    m_shownRowsChanged = false;
    showStatus(QStringLiteral("Загружено %1 записей.").arg(m_records[0].size()));
}

bool DictionaryEditorWindow::saveOwnDictionary(const QString &toFile)
{
    if (m_mode != OwnMode || m_dictionaryChoice->count() == 0)
        return false;
    showSection(0);
    const QString path = toFile.size() < 2 ? ownDictionaryPath() : toFile;
    // As the recording hears them now, to tell which blocks the save changes.
    const auto before = enabledDictionaries(m_programFolder);
    if (!writeDictionary(path, m_records[0])) {
        m_dialogs.show({QStringLiteral("Ошибка записи файла."),
                        QStringLiteral("Не удалось записать словарь:\n%1").arg(path), DialogIcon::Critical,
                        DialogButtons::Ok});
        showStatus(QStringLiteral("Не удалось сохранить словарь..."));
        return false;
    }
    showStatus(QStringLiteral("Записано %1 записей").arg(m_records[0].size()));
    m_dictionaryChanged = false;
    showStatus(QStringLiteral("Словарь успешно сохранен"));
    m_dictionaries.loadDictionaryList();
    m_dictionaries.loadEnabledDictionaries();
    emit DictionarySaveNotice::instance().saved();
    showTouchedBlocks(*before);
    return true;
}

void DictionaryEditorWindow::showTouchedBlocks(const Dictionaries &before)
{
    showStatus(QStringLiteral("Словарь сохранён; поиск блоков, которые он меняет..."));
    // Every block of the library is rewritten twice: the window answers
    // meanwhile, but takes no clicks that would save again.
    const TouchedBlocks touched = blocksTouchedByChange(
        m_programFolder, m_voice ? m_voice->autoStress() : true, loadList(m_programFolder), before, m_dictionaries, [] {
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return true;
        });
    showStatus(QStringLiteral("Словарь успешно сохранен. ") + touchedBlocksText(touched));
}

void DictionaryEditorWindow::saveDictionary()
{
    if (m_mode == OwnMode)
        saveOwnDictionary();
    else
        saveEngineDictionary();
}

void DictionaryEditorWindow::askEnginePath()
{
    const QString chosen = chooseEngineFile();
    if (chosen.isEmpty())
        return;
    m_engineDictionaryPath = chosen;
    m_enginePathLabel->setText(chosen);
    saveEditorSettings();
    loadEngineDictionary();
}

void DictionaryEditorWindow::loadEngineDictionary()
{
    if (m_engineDictionaryPath.isEmpty() || !QFileInfo::exists(m_engineDictionaryPath)) {
        m_dialogs.show({kTitle, QStringLiteral("Укажите путь к словарю Speech Cube!"), DialogIcon::Information,
                        DialogButtons::Ok});
        const QString chosen = chooseEngineFile();
        if (!chosen.isEmpty()) {
            m_engineDictionaryPath = chosen;
            m_enginePathLabel->setText(chosen);
            saveEditorSettings();
        }
    }
    const ExceptionDictionaryFiles files(m_programFolder, m_engineDictionaryPath);
    if (!files.engineFileExists()) {
        m_model->setRows({});
        updateCount();
        return;
    }
    const ExceptionDictionaryFiles::Refresh refresh = files.refreshCopies();
    if (refresh.madeEngineBackup)
        m_dialogs.show({kTitle, files.engineBackup() + QStringLiteral("\nСоздана резервная копия словаря."),
                        DialogIcon::Information, DialogButtons::Ok});
    QList<DicRow> rows;
    if (const auto load = loadExceptionDictionary(files.workingCopy(), false))
        for (const ExceptionRow &row : load->rows)
            rows.append({row.key, row.pronunciation, row.flag});
    m_model->setRows(rows);
    m_dictionaryChanged = false;
    updateCount();
    showStatus(QStringLiteral("Загружено %1 записей.").arg(rows.size()));
}

void DictionaryEditorWindow::saveEngineDictionary()
{
    const ExceptionDictionaryFiles files(m_programFolder, m_engineDictionaryPath);
    QList<ExceptionRow> rows;
    for (const DicRow &row : m_model->rows())
        rows.append({row.word, row.pronunciation, row.flag});
    const bool written = files.writeWorkingCopy(rows, programVersion());
    showStatus(QStringLiteral("Записано %1 записей").arg(rows.size()));
    if (written && files.replaceEngineFile()) {
        m_dialogs.show({QStringLiteral("Ok!"), QStringLiteral("Словарь Speech Cube успешно сохранен!"),
                        DialogIcon::Information, DialogButtons::Ok});
        showStatus(QStringLiteral("Словарь успешно сохранен!"));
        m_dictionaryChanged = false;
        loadEngineDictionary();
        return;
    }
    m_dialogs.show({QStringLiteral("Ошибка записи файла."),
                    QStringLiteral("Не удалось сохранить словарь.\nКопия сохранена в рабочем каталоге программы."),
                    DialogIcon::Critical, DialogButtons::Ok});
    showStatus(QStringLiteral("Не удалось сохранить словарь..."));
}

// ---- sections ---------------------------------------------------------------------

const QList<DicRow> &DictionaryEditorWindow::rows() const
{
    return m_model->rows();
}

void DictionaryEditorWindow::storeShownRows(int section)
{
    m_records[section] = tableFromRows(m_model->rows());
    m_shownRowsChanged = false;
}

void DictionaryEditorWindow::showStoredRows(int section)
{
    m_model->setRows(rowsFromTable(m_records[section]));
}

void DictionaryEditorWindow::showSection(int section)
{
    if (m_mode != OwnMode)
        return;
    m_sortButton->setToolTip(section == 0 ? QStringLiteral("Отсортировать словарь по разделам")
                                          : QStringLiteral("Отсортировать раздел словаря по алфавиту"));
    if (m_shownRowsChanged && m_section >= 0) {
        storeShownRows(m_section);
        if (m_section == 0)
            splitIntoSections(m_records);
        else
            joinSections(m_records);
    }
    if (section != m_section) {
        showStoredRows(section);
        m_section = section;
    }
    const QSignalBlocker blocker(m_sectionTabs);
    m_sectionTabs->setCurrentIndex(section);
    updateCount();
}

void DictionaryEditorWindow::updateCount()
{
    m_entryCountLabel->setText(QStringLiteral("Кол-во записей в словаре: %1").arg(m_model->rowCount()));
}

// ---- rows ----------------------------------------------------------------------------

int DictionaryEditorWindow::selectedRow() const
{
    const QModelIndex current = m_entryTable->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QList<int> DictionaryEditorWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_entryTable->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DictionaryEditorWindow::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_entryTable->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    m_entryTable->selectionModel()->setCurrentIndex(index,
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_entryTable->scrollTo(index);
}

void DictionaryEditorWindow::onRowSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const DicRow &value = m_model->rows()[row];
    m_wordEdit->setText(value.word);
    m_pronunciationEdit->setText(value.pronunciation);
    m_matchCase->setChecked(rowKeepsCase(value, m_mode == SpeechCubeMode));
    if (m_speakOnSelection->isChecked() && m_voice) {
        tryWithoutDictionaries();
        speak(value.pronunciation, false);
    }
}

DicRow DictionaryEditorWindow::rowFromFields() const
{
    if (m_mode == OwnMode)
        return {m_wordEdit->text(), m_pronunciationEdit->text(),
                m_matchCase->isChecked() ? kCaseSensitiveMark : QString()};
    return {m_wordEdit->text().trimmed(), toEngineNotation(m_pronunciationEdit->text()),
            m_matchCase->isChecked() ? QString() : QStringLiteral("/i")};
}

void DictionaryEditorWindow::markChanged()
{
    m_shownRowsChanged = true;
    m_dictionaryChanged = true;
    updateCount();
}

void DictionaryEditorWindow::addRow()
{
    if (m_wordEdit->text().isEmpty())
        return;
    const int selected = selectedRow();
    const int position = selected < 0 ? m_model->rowCount() : selected;
    m_model->insertRowsAt(position, {rowFromFields()});
    selectRow(position);
    markChanged();
}

void DictionaryEditorWindow::saveRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_model->setRow(row, rowFromFields());
    markChanged();
}

void DictionaryEditorWindow::deleteRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    if (m_keepDeletedAction->isChecked()
        && !appendDeletedKey(ProgramFolder(m_programFolder).file(QStringLiteral("trashdic.txt")),
                             m_model->rows()[row].word))
        showStatus(QStringLiteral("Не удалось дописать trashdic.txt"));
    m_model->removeRowList({row});
    selectRow(std::min(row, m_model->rowCount() - 1));
    markChanged();
}

void DictionaryEditorWindow::cycleMarkers(bool allForms)
{
    if (!m_wordEdit->text().isEmpty())
        m_wordEdit->setText(nextMarkedWord(m_wordEdit->text(), allForms));
}

void DictionaryEditorWindow::findAffectingEntry()
{
    if (m_shownRowsChanged && m_section >= 0)
        storeShownRows(m_section);
    // The rows were just stored: the next section switch must still regroup.
    m_shownRowsChanged = m_shownRowsChanged || m_dictionaryChanged;
    const int row = rowChangingText(m_model->rows(), m_searchEdit->text(), m_mode == SpeechCubeMode);
    if (row >= 0)
        selectRow(row);
    else
        showStatus(QStringLiteral("Запись, влияющая на слово, не найдена."));
}

void DictionaryEditorWindow::findPlace()
{
    selectRow(alphabeticalPosition(m_model->rows(), m_wordEdit->text()));
}

void DictionaryEditorWindow::sortRows()
{
    if (m_mode != OwnMode)
        return;
    if (m_section <= 0) {
        m_shownRowsChanged = true;
        const int shown = std::max(0, m_section);
        storeShownRows(shown);
        splitIntoSections(m_records);
        joinSections(m_records);
        showStoredRows(0);
        m_section = 0;
        m_dictionaryChanged = true;
        updateCount();
        return;
    }
    if (m_dialogs.show({kTitle,
                        QStringLiteral("Действительно хотите отсортировать записи в разделе по алфавиту?\n"
                                       "(Изменение порядка записей влияет на результат обработки словарем!)"),
                        DialogIcon::Question, DialogButtons::YesNo})
        != DialogAnswer::Yes)
        return;
    QList<DicRow> rows = m_model->rows();
    std::stable_sort(rows.begin(), rows.end(), [](const DicRow &a, const DicRow &b) {
        return QString::compare(a.word, b.word, Qt::CaseInsensitive) < 0;
    });
    m_model->setRows(rows);
    markChanged();
}

void DictionaryEditorWindow::cutRows(bool remove)
{
    const QList<int> selected = selectedRows();
    if (selected.isEmpty())
        return;
    m_copiedRows.clear();
    for (int row : selected)
        m_copiedRows.append(m_model->rows()[row]);
    m_pasteAction->setEnabled(true);
    if (remove) {
        m_model->removeRowList(selected);
        selectRow(std::min(selected.first(), m_model->rowCount() - 1));
        markChanged();
    }
}

void DictionaryEditorWindow::pasteRows()
{
    if (m_copiedRows.isEmpty())
        return;
    const int position = selectedRow() + 1;
    m_model->insertRowsAt(position, m_copiedRows);
    selectRow(position);
    markChanged();
}

void DictionaryEditorWindow::searchTyped()
{
    const int row = rowStartingWith(m_model->rows(), m_searchEdit->text());
    if (row >= 0)
        selectRow(row);
}

// The mark the trial voice reads as stress; a Speech Cube dictionary is
// written for that engine and keeps its "<".
QString DictionaryEditorWindow::stressMark() const
{
    return m_voice && m_mode == OwnMode ? m_voice->stressMark() : QStringLiteral("<");
}

void DictionaryEditorWindow::insertStress(const QString &mark)
{
    m_pronunciationEdit->insert(mark);
    m_pronunciationEdit->setFocus();
}

bool DictionaryEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == m_pronunciationEdit && key == Qt::Key_Insert) {
            insertStress(stressMark());
            return true;
        }
        if (watched == m_searchEdit && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            const int row = selectedRow() + (key == Qt::Key_Up ? -1 : 1);
            if (row >= 0 && row < m_model->rowCount())
                selectRow(row);
            return true;
        }
    }
    if (watched == m_enginePathLabel && event->type() == QEvent::MouseButtonRelease
        && m_dialogs.show(
               {kTitle, QStringLiteral("Изменить путь к словарю движка?"), DialogIcon::Question, DialogButtons::YesNo})
               == DialogAnswer::Yes)
        askEnginePath();
    return QMainWindow::eventFilter(watched, event);
}

// ---- checks and trials ------------------------------------------------------------

void DictionaryEditorWindow::removeRepeatedEntries()
{
    showSection(0);
    QElapsedTimer clock;
    clock.start();
    ToolProgress progress;
    progress.report = [this](int, const QString &status) {
        showStatus(status);
        QApplication::processEvents();
    };
    const RepeatCheck check =
        findRepeatedRows(m_model->rows(), m_mode == SpeechCubeMode, m_removeDifferentAction->isChecked(), progress);
    if (check.conflictRow >= 0) {
        selectRow(check.conflictRow);
        m_dialogs.show({kTitle, QStringLiteral("Обнаружены разные произношения одного слова!"), DialogIcon::Exclamation,
                        DialogButtons::Ok});
        return;
    }
    showStatus(QStringLiteral("Удаление..."));
    if (!check.repeats.isEmpty()) {
        m_model->removeRowList(check.repeats);
        markChanged();
    }
    showStatus(QStringLiteral("Удалено %1 повторов. Проверка заняла %2 секунд.")
                   .arg(check.repeats.size())
                   .arg(QString::number(clock.elapsed() / 1000.0, 'f', 2)));
}

void DictionaryEditorWindow::speak(const QString &text, bool purge)
{
    if (m_voice)
        m_voice->speak(text, purge);
}

void DictionaryEditorWindow::tryWithDictionary(bool plain)
{
    const QString text = m_searchEdit->text();
    if (m_mode == SpeechCubeMode) {
        speak(text, true);
        return;
    }
    if (plain) {
        speak(asRecorded(text, text), true);
        return;
    }
    const DictionaryRewrite rewrite = m_dictionaries.applyDictionaries(text);
    if (!rewrite.ok()) {
        m_dialogs.show({QStringLiteral("Lectorium"), rewrite.failure, DialogIcon::Exclamation, DialogButtons::Ok});
        return;
    }
    speak(asRecorded(text, rewrite.text), true);
}

QString DictionaryEditorWindow::asRecorded(const QString &original, const QString &rewritten) const
{
    if (!m_voice || !m_voice->autoStress())
        return rewritten;
    return spokenText(original, rewritten, spokenTextOptions(m_programFolder, true));
}

void DictionaryEditorWindow::tryWithoutDictionaries()
{
    // The voice reads XML: the word goes as text, its "<", ">" and "&"
    // escaped, so a word in angle brackets is not taken for a tag and dropped.
    const QString word = withoutStars(m_wordEdit->text());
    speak(asRecorded(word, word).toHtmlEscaped(), true);
}

void DictionaryEditorWindow::findNamesInBook(const QString &text, const NameFinderOptions &options)
{
    m_pageTabs->setCurrentWidget(m_finder);
    showAndRaise();
    if (text.isEmpty())
        return;
    m_finder->run(text, options);
}
