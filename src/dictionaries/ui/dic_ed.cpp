#include "dic_ed.h"

#include "dic_rows_model.h"
#include "find_names.h"
#include "form7.h"
#include "right_click_button.h"

#include "dictionaries/dic_file.h"
#include "dictionaries/editor_rows.h"
#include "dictionaries/trial_voice.h"

#include "app/ui/window_placement_ui.h"
#include "common/ini_file.h"
#include "common/program_folder.h"
#include "common/user_dialogs.h"
#include "options/small_windows_logic.h"

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
#include <QThread>
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

DicEd::DicEd(const QString &programFolder, UserDialogs &dialogs, TrialVoice *voice, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder), m_dialogs(dialogs), m_voice(voice),
      m_dictionaries(programFolder)
{
    setObjectName(QStringLiteral("DicEd"));
    setWindowTitle(QStringLiteral("Редактор словаря ударений"));
    buildControls();
    buildMenusAndToolbar();
    connectControls();

    chooseEngineFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Словарь Speech Cube"),
                                            QFileInfo(m_scPath).absolutePath(),
                                            QStringLiteral("Словарь Speech Cube (exc_rus.txt) (exc_rus.txt)"));
    };
    openDictionaryList = [this] {
        Form7 list(m_programFolder, m_dialogs, this);
        list.exec();
    };

    LoadS();
    setVoice(voice);
    m_choice->addItem(kTitle);
    enterMode(m_mode);
}

DicEd::~DicEd() = default;

void DicEd::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_pages = new QTabWidget(central);
    m_pages->setObjectName(QStringLiteral("TabMain"));

    // The dictionary page.
    auto *page = new QWidget(m_pages);
    m_optionCube = button<QRadioButton>(page, "Option1", QStringLiteral("Speech Cube"),
                                        QStringLiteral("Редактировать словарь Speech Cube"));
    m_optionOwn = button<QRadioButton>(page, "Option2", kTitle, QStringLiteral("Редактировать словарь Lectorium"));
    m_choice = new QComboBox(page);
    m_choice->setObjectName(QStringLiteral("Combo1"));
    m_enginePathLabel = new QLabel(page);
    m_enginePathLabel->setObjectName(QStringLiteral("Label2"));
    m_enginePathLabel->setToolTip(QStringLiteral("Файл словаря"));
    m_enginePathLabel->installEventFilter(this);

    m_sections = new QTabBar(page);
    m_sections->setObjectName(QStringLiteral("TabStrip1"));
    const QString captions[] = {QStringLiteral("Весь словарь"), QStringLiteral("$АZ"), QStringLiteral("а"),
                                QStringLiteral("$*А *А* А*"), QStringLiteral("*а а*"), QStringLiteral("*а*")};
    const QString tips[] = {QStringLiteral("Все записи словаря"),
                            QStringLiteral("Слова без подстан. знаков, чувствительные к регистру. (Имена, названия аббревиатуры и др.)"),
                            QStringLiteral("Простые слова (без подстан. знаков)"),
                            QStringLiteral("Слова с подстановочными знаками, чувствительные к регистру"),
                            QStringLiteral("Слова с подстановочными знаками"), QStringLiteral("*...* автозамена")};
    for (int i = 0; i < kSectionCount; ++i) {
        m_sections->addTab(captions[i]);
        m_sections->setTabToolTip(i, tips[i]);
    }

    m_model = new DicRowsModel(this);
    m_view = new QTableView(page);
    m_view->setObjectName(QStringLiteral("ListView1"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_view->setColumnWidth(0, 200);
    m_view->setColumnWidth(1, 200);
    m_view->setColumnWidth(2, 30);
    m_count = new QLabel(page);
    m_count->setObjectName(QStringLiteral("Label3"));
    m_count->setToolTip(QStringLiteral("Кол-во записей в словаре"));

    m_word = field(page, "Text1", QStringLiteral("Слово..."));
    m_pronunciation = field(page, "Text2", QStringLiteral("Произносится как ... (нажмите Insert для вставки ударения)"));
    m_pronunciation->installEventFilter(this);
    m_caseBox = button<QCheckBox>(page, "Check1", QStringLiteral("Учитывать регистр"),
                                  QStringLiteral("Различать заглавные и строчный буквы в этом слове"));
    m_search = field(page, "Text3", QStringLiteral("Поиск слова в словаре и проба на слух"));
    m_search->installEventFilter(this);
    m_autoSpeak = button<QCheckBox>(page, "Check2", QStringLiteral("Автоматически произносить слово и произношение при выборе"), {});
    m_cubeBox = button<QCheckBox>(page, "Check3", QStringLiteral("Словарь Speech Cube"),
                                  QStringLiteral("Произносить исходное слово с учетом словаря Speech Cube"));

    auto *add = button(page, "Command1", QStringLiteral("Добавить"), QStringLiteral("Добавить новое слово в словарь"));
    auto *saveRowButton = button(page, "Command2", QStringLiteral("Изменить"), QStringLiteral("Сохранить изменения в выделенном слове"));
    auto *remove = button(page, "Command3", QStringLiteral("Удалить"), QStringLiteral("Удалить выделленное слово из словаря"));
    auto *markers = button<RightClickButton>(page, "Command4", QStringLiteral("*"), QStringLiteral("Перебор подстановочных символов"));
    auto *affecting = button(page, "Command5", QStringLiteral("Найти запись"), QStringLiteral("Найти запись, влияющую на введенное слово"));
    auto *place = button(page, "Command6", QStringLiteral("Найти позицию"), QStringLiteral("Найти подходящую позицию для новой записи (по алфавиту)"));
    m_sortButton = button(page, "Command7", QStringLiteral("Сортировать"), QStringLiteral("Отсортировать словарь по разделам"));
    m_saveButton = button(page, "Command8", QStringLiteral("Сохранить"), QString());
    m_loadButton = button(page, "Command9", QString(), QString());
    m_tryButton = button<RightClickButton>(page, "Command10", QStringLiteral("Проба"), QString());
    auto *tryPlain = button(page, "Command11", QStringLiteral("Без словарей"), QStringLiteral("Проба (без словарей)"));
    auto *tryTyped = button(page, "Command12", QStringLiteral("Произношение"), QStringLiteral("Проба (введенное произношение)"));
    m_stressButton = button<RightClickButton>(page, "Command13", QStringLiteral("<"), QStringLiteral("Вставить ударение"));
    auto *font = button(page, "Command14", QStringLiteral("Шрифт..."), QStringLiteral("Выбрать шрифт"));
    auto *check = button(page, "Command15", QStringLiteral("Повторы"), QStringLiteral("Проверить словарь на повторы"));
    m_trialControls = {m_tryButton, tryPlain, tryTyped, m_autoSpeak};

    auto *top = new QHBoxLayout;
    top->addWidget(m_optionCube);
    top->addWidget(m_optionOwn);
    top->addWidget(m_choice, 1);
    top->addWidget(m_loadButton);
    top->addWidget(m_saveButton);
    auto *left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_enginePathLabel);
    left->addWidget(m_sections);
    left->addWidget(m_view, 1);
    left->addWidget(m_count);
    auto *edit = new QGridLayout;
    edit->addWidget(m_word, 0, 0, 1, 2);
    edit->addWidget(markers, 0, 2);
    edit->addWidget(m_pronunciation, 1, 0, 1, 2);
    edit->addWidget(m_stressButton, 1, 2);
    edit->addWidget(m_caseBox, 2, 0, 1, 3);
    edit->addWidget(add, 3, 0);
    edit->addWidget(saveRowButton, 3, 1);
    edit->addWidget(remove, 3, 2);
    edit->addWidget(place, 4, 0);
    edit->addWidget(m_sortButton, 4, 1);
    edit->addWidget(check, 4, 2);
    edit->addWidget(m_search, 5, 0, 1, 3);
    edit->addWidget(affecting, 6, 0);
    edit->addWidget(m_tryButton, 6, 1);
    edit->addWidget(tryPlain, 7, 0);
    edit->addWidget(tryTyped, 7, 1);
    edit->addWidget(m_autoSpeak, 8, 0, 1, 3);
    edit->addWidget(m_cubeBox, 9, 0, 1, 3);
    edit->addWidget(font, 10, 0);
    edit->setRowStretch(11, 1);
    auto *pageLayout = new QHBoxLayout(page);
    pageLayout->addLayout(left, 3);
    pageLayout->addLayout(edit, 2);
    m_pages->addTab(page, QStringLiteral("Словарь"));

    m_finder = new class FindNames(m_programFolder, m_dictionaries, m_dialogs, m_pages);
    m_pages->addTab(m_finder, QStringLiteral("Поиск имен"));
    m_trialControls.append(m_finder->findChild<QPushButton *>(QStringLiteral("cmdTryFinder")));

    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_pages);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    m_searchTimer = new QTimer(this);
    m_searchTimer->setSingleShot(true);
    m_searchTimer->setInterval(300);
    resize(900, 600);

    connect(add, &QPushButton::clicked, this, &DicEd::addRow);
    connect(saveRowButton, &QPushButton::clicked, this, &DicEd::saveRow);
    connect(remove, &QPushButton::clicked, this, &DicEd::deleteRow);
    connect(markers, &QPushButton::clicked, this, [this] { cycleMarkers(false); });
    connect(markers, &RightClickButton::rightClicked, this, [this] { cycleMarkers(true); });
    connect(affecting, &QPushButton::clicked, this, &DicEd::findAffectingEntry);
    connect(place, &QPushButton::clicked, this, &DicEd::findPlace);
    connect(check, &QPushButton::clicked, this, &DicEd::CheckDic);
    connect(tryPlain, &QPushButton::clicked, this, &DicEd::tryWithoutDictionaries);
    connect(tryTyped, &QPushButton::clicked, this, [this] { Spk(m_pronunciation->text(), true); });
    connect(m_stressButton, &QPushButton::clicked, this, [this] { insertStress(stressMark()); });
    connect(m_stressButton, &RightClickButton::rightClicked, this, [this] { insertStress(QStringLiteral(">")); });
    connect(font, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, m_view->font(), this);
        if (ok)
            m_view->setFont(chosen);
    });
}

void DicEd::buildMenusAndToolbar()
{
    auto *tools = addToolBar(QStringLiteral("Правка"));
    tools->setObjectName(QStringLiteral("Toolbar1"));
    m_cut = tools->addAction(QStringLiteral("Вырезать"));
    m_cut->setObjectName(QStringLiteral("actCut"));
    m_cut->setToolTip(QStringLiteral("Вырезать выделенные записи словаря"));
    m_copy = tools->addAction(QStringLiteral("Копировать"));
    m_copy->setObjectName(QStringLiteral("actCopy"));
    m_copy->setToolTip(QStringLiteral("Копировать выделенные записи словаря"));
    m_paste = tools->addAction(QStringLiteral("Вставить"));
    m_paste->setObjectName(QStringLiteral("actPaste"));
    m_paste->setToolTip(QStringLiteral("Вставить из буфера (после выделенной записи)"));
    m_paste->setEnabled(false);

    QMenu *options = menuBar()->addMenu(QStringLiteral("Настройки"));
    auto checkable = [options](const char *name, const QString &caption) {
        QAction *action = options->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        return action;
    };
    m_keepDeleted = checkable("mnuKeepDeleted", QStringLiteral("Сохранять удаленные в список исключений"));
    m_removeDifferent = checkable("mnuRemoveDifferent", QStringLiteral("Удалять различные произношения автоматически"));
    m_autoSave = checkable("mnuAutoSave", QStringLiteral("Сохранять автоматически"));
    QAction *checkItem = options->addAction(QStringLiteral("Проверить словарь на повторы"));
    checkItem->setObjectName(QStringLiteral("mnuCheckDic"));
    connect(checkItem, &QAction::triggered, this, &DicEd::CheckDic);
    connect(m_cut, &QAction::triggered, this, [this] { cutRows(true); });
    connect(m_copy, &QAction::triggered, this, [this] { cutRows(false); });
    connect(m_paste, &QAction::triggered, this, &DicEd::pasteRows);
}

void DicEd::connectControls()
{
    connect(m_optionCube, &QRadioButton::clicked, this, [this] { enterMode(SpeechCubeMode); });
    connect(m_optionOwn, &QRadioButton::clicked, this, [this] { enterMode(OwnMode); });
    connect(m_choice, &QComboBox::currentIndexChanged, this, &DicEd::onDictionaryChosen);
    connect(m_sections, &QTabBar::currentChanged, this, &DicEd::showSection);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DicEd::onRowSelected);
    connect(m_saveButton, &QPushButton::clicked, this, &DicEd::saveDictionary);
    connect(m_loadButton, &QPushButton::clicked, this, [this] {
        if (m_mode == OwnMode)
            showDictionaryList();
        else
            askEnginePath();
    });
    connect(m_sortButton, &QPushButton::clicked, this, &DicEd::sortRows);
    connect(m_tryButton, &QPushButton::clicked, this, [this] { tryWithDictionary(false); });
    connect(m_tryButton, &RightClickButton::rightClicked, this, [this] { tryWithDictionary(true); });
    connect(m_search, &QLineEdit::textEdited, m_searchTimer, qOverload<>(&QTimer::start));
    connect(m_searchTimer, &QTimer::timeout, this, &DicEd::searchTyped);
    connect(m_finder, &::FindNames::status, this, &DicEd::showStatus);
    connect(m_finder, &::FindNames::editWord, this, [this](const QString &word) {
        m_pages->setCurrentIndex(0);
        m_word->setText(word);
        m_search->setText(word);
    });
    connect(m_finder, &::FindNames::speakWord, this, [this](const QString &word) { Spk(word, true); });
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

QString DicEd::iniPath() const
{
    return programPath(m_programFolder, QStringLiteral("\\Lectorium.ini"));
}

void DicEd::LoadS()
{
    const IniDocument ini = IniDocument::load(iniPath());
    m_scPath = ini.read(kSection, QStringLiteral("Путь к словарю Speech Cube")).value_or(QString());
    m_mode = ini.read(kSection, QStringLiteral("Словарь")).value_or(QStringLiteral("1")).toInt() == 0 ? SpeechCubeMode
                                                                                                     : OwnMode;
    m_current = std::max(0, ini.read(kSection, QStringLiteral("Текущий")).value_or(QStringLiteral("0")).toInt());
    QFont font = m_view->font();
    if (const auto name = ini.read(kSection, QStringLiteral("FontName")))
        font.setFamily(*name);
    auto flag = [&](const char *key) { return ini.read(kSection, QLatin1String(key)).value_or(QString()).toInt() != 0; };
    font.setBold(flag("FontBold"));
    font.setItalic(flag("FontItalic"));
    font.setStrikeOut(flag("FontStr"));
    font.setUnderline(flag("FontUnd"));
    if (const double size = ini.read(kSection, QStringLiteral("FontSize")).value_or(QString()).toDouble(); size > 0)
        font.setPointSizeF(size);
    m_view->setFont(font);
    if (const auto placement = ini.read(QStringLiteral("Окна"), QStringLiteral("Редактор словаря")))
        ApplyWindowPlacement(this, *placement);
    m_enginePathLabel->setText(m_scPath);
}

void DicEd::SaveS()
{
    std::optional<IniDocument> ini = IniDocument::loadForUpdate(iniPath());
    if (!ini)
        return;
    const QFont font = m_view->font();
    ini->write(kSection, QStringLiteral("Путь к словарю Speech Cube"), m_scPath);
    ini->write(kSection, QStringLiteral("Словарь"), int(m_mode));
    ini->write(kSection, QStringLiteral("Текущий"), m_current);
    ini->write(kSection, QStringLiteral("FontName"), font.family());
    ini->write(kSection, QStringLiteral("FontBold"), int(font.bold()));
    ini->write(kSection, QStringLiteral("FontItalic"), int(font.italic()));
    ini->write(kSection, QStringLiteral("FontSize"), font.pointSizeF());
    ini->write(kSection, QStringLiteral("FontStr"), int(font.strikeOut()));
    ini->write(kSection, QStringLiteral("FontUnd"), int(font.underline()));
    ini->write(QStringLiteral("Окна"), QStringLiteral("Редактор словаря"), windowPlacement(this));
    ini->save(iniPath());
}

void DicEd::ShowMe()
{
    show();
    raise();
    activateWindow();
}

void DicEd::closeEvent(QCloseEvent *event)
{
    if (!mayLeaveDictionary()) {
        event->ignore();
        return;
    }
    m_finder->findChild<QPushButton *>(QStringLiteral("cmdStopSearch"))->click();
    SaveS();
    event->accept();
}

void DicEd::setVoice(TrialVoice *voice)
{
    m_voice = voice;
    for (QWidget *control : m_trialControls)
        control->setEnabled(voice != nullptr);
    m_stressButton->setText(stressMark());
}

void DicEd::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}

// ---- modes and dictionaries ----------------------------------------------------

bool DicEd::mayLeaveDictionary()
{
    if (!m_dicChanged)
        return true;
    const QString text = m_mode == OwnMode
        ? QStringLiteral("Cловарь \"%1\" был изменен.\nСохранить изменения?").arg(currentDictionaryName())
        : QStringLiteral("Загруженный словарь был изменен.\nСохранить изменения?");
    switch (m_dialogs.show({QStringLiteral("Редактор словаря"), text, DialogIcon::Question, DialogButtons::YesNoCancel})) {
    case DialogAnswer::Cancel:
        return false;
    case DialogAnswer::Yes:
        if (m_mode == OwnMode) {
            if (!SaveLtDic())
                return false;
        } else {
            SaveSCDic();
        }
        break;
    default:
        break;
    }
    m_dicChanged = false;
    return true;
}

void DicEd::enterMode(Mode mode)
{
    if (mode != m_mode || m_section != -1 || m_model->rowCount() > 0) {
        if (!mayLeaveDictionary()) {
            (m_mode == OwnMode ? m_optionOwn : m_optionCube)->setChecked(true);
            return;
        }
    }
    m_mode = mode;
    (mode == OwnMode ? m_optionOwn : m_optionCube)->setChecked(true);
    m_section = -1;
    m_listChanged = false;
    m_dicChanged = false;
    m_model->setRows({});
    setModeTexts();
    if (mode == OwnMode)
        fillDictionaryChoices();
    else
        LoadLt();
    updateCount();
}

void DicEd::setModeTexts()
{
    const bool own = m_mode == OwnMode;
    m_saveButton->setToolTip(own ? QStringLiteral("Сохранить словарь Main.dic") : QStringLiteral("Сохранить словарь в каталог Speech Cube"));
    m_loadButton->setText(own ? QStringLiteral("Словари...") : QStringLiteral("Загрузить..."));
    m_loadButton->setToolTip(own ? QStringLiteral("Список используемых словарей...") : QStringLiteral("Добавить словарь..."));
    m_tryButton->setToolTip(own ? QStringLiteral("Левый клик - проба со словарем, правый - без словаря (как есть)")
                                : QStringLiteral("Проба (загруженный словарь)"));
    m_model->setCaseHeader(own ? kCaseSensitiveMark : QStringLiteral("/i"));
    m_stressButton->setText(stressMark());
    // The engine's list has no kinds of entries: it is shown whole.
    m_sections->setEnabled(own);
    m_choice->setEnabled(own);
    m_enginePathLabel->setVisible(!own);
    m_saveButton->setEnabled(true);
}

void DicEd::fillDictionaryChoices()
{
    m_dictionaries.LoadDicList();
    const DicList &list = m_dictionaries.dicList();
    m_changingChoice = true;
    m_choice->clear();
    for (int i = 0; i <= list.DicLast(); ++i)
        if (list.DicEnabled[i])
            m_choice->addItem(list.DicNames[i], i);
    m_changingChoice = false;
    if (m_choice->count() == 0) {
        m_records = {};
        m_saveButton->setEnabled(false);
        m_dialogs.show({kTitle,
                        QStringLiteral("Нет загруженных словарей.\nНажмите кнопку \"Словари...\" чтобы загрузить "
                                       "словарь из файла или создать новый."),
                        DialogIcon::Information, DialogButtons::Ok});
        return;
    }
    if (m_current >= m_choice->count())
        m_current = 0;
    m_changingChoice = true;
    m_choice->setCurrentIndex(m_current);
    m_changingChoice = false;
    LoadLtDic(ownDictionaryPath(), true);
    m_section = -1;
    showSection(0);
}

QString DicEd::currentDictionaryName() const
{
    const int index = m_choice->itemData(m_current).toInt();
    return m_dictionaries.dicList().DicNames.value(index);
}

QString DicEd::ownDictionaryPath() const
{
    return pathInDictionaryFolder(m_dictionaries.dictionaryFolder(), currentDictionaryName());
}

void DicEd::onDictionaryChosen(int position)
{
    if (m_changingChoice || position < 0 || m_mode != OwnMode || position == m_current)
        return;
    if (!mayLeaveDictionary()) {
        m_changingChoice = true;
        m_choice->setCurrentIndex(m_current);
        m_changingChoice = false;
        return;
    }
    m_current = position;
    LoadLtDic(ownDictionaryPath(), true);
    m_section = -1;
    showSection(0);
}

void DicEd::showDictionaryList()
{
    if (!mayLeaveDictionary())
        return;
    openDictionaryList();
    const QString current = currentDictionaryName();
    m_section = -1;
    m_dicChanged = false;
    fillDictionaryChoices();
    const int position = m_choice->findText(current);
    if (position > 0)
        m_choice->setCurrentIndex(position);
}

void DicEd::LoadLtDic(const QString &path, bool split)
{
    m_dictionaries.ClearEntries();
    m_dictionaries.LoadDictionaryFile(path, false);
    if (split)
        m_records = {};
    m_records[0] = m_dictionaries.activeTable();
    if (split)
        splitIntoSections(m_records);
    m_dicChanged = false;
    m_listChanged = false;
    showStatus(QStringLiteral("Загружено %1 записей.").arg(m_records[0].Count()));
}

bool DicEd::SaveLtDic(const QString &toFile)
{
    if (m_mode != OwnMode || m_choice->count() == 0)
        return false;
    showSection(0);
    const QString path = toFile.size() < 2 ? ownDictionaryPath() : toFile;
    if (!writeDictionary(path, m_records[0])) {
        m_dialogs.show({QStringLiteral("Ошибка записи файла."),
                        QStringLiteral("Не удалось записать словарь:\n%1").arg(path), DialogIcon::Critical,
                        DialogButtons::Ok});
        showStatus(QStringLiteral("Не удалось сохранить словарь..."));
        return false;
    }
    showStatus(QStringLiteral("Записано %1 записей").arg(m_records[0].Count()));
    m_dicChanged = false;
    showStatus(QStringLiteral("Словарь успешно сохранен"));
    m_dictionaries.LoadDicList();
    m_dictionaries.LoadEnabledDictionaries();
    return true;
}

void DicEd::saveDictionary()
{
    if (m_mode == OwnMode)
        SaveLtDic();
    else
        SaveSCDic();
}

void DicEd::askEnginePath()
{
    const QString chosen = chooseEngineFile();
    if (chosen.isEmpty())
        return;
    m_scPath = chosen;
    m_enginePathLabel->setText(chosen);
    SaveS();
    LoadLt();
}

void DicEd::LoadLt()
{
    if (m_scPath.isEmpty() || !QFileInfo::exists(m_scPath)) {
        m_dialogs.show({kTitle, QStringLiteral("Укажите путь к словарю Speech Cube!"), DialogIcon::Information,
                        DialogButtons::Ok});
        const QString chosen = chooseEngineFile();
        if (!chosen.isEmpty()) {
            m_scPath = chosen;
            m_enginePathLabel->setText(chosen);
            SaveS();
        }
    }
    const ExceptionDictionaryFiles files(m_programFolder, m_scPath);
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
    m_dicChanged = false;
    updateCount();
    showStatus(QStringLiteral("Загружено %1 записей.").arg(rows.size()));
}

void DicEd::SaveSCDic()
{
    const ExceptionDictionaryFiles files(m_programFolder, m_scPath);
    QList<ExceptionRow> rows;
    for (const DicRow &row : m_model->rows())
        rows.append({row.word, row.pronunciation, row.flag});
    const bool written = files.writeWorkingCopy(rows, programVersion());
    showStatus(QStringLiteral("Записано %1 записей").arg(rows.size()));
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 500) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    if (written && files.replaceEngineFile()) {
        m_dialogs.show({QStringLiteral("Ok!"), QStringLiteral("Словарь Speech Cube успешно сохранен!"),
                        DialogIcon::Information, DialogButtons::Ok});
        showStatus(QStringLiteral("Словарь успешно сохранен!"));
        m_dicChanged = false;
        LoadLt();
        return;
    }
    m_dialogs.show({QStringLiteral("Ошибка записи файла."),
                    QStringLiteral("Не удалось сохранить словарь.\nКопия сохранена в рабочем каталоге программы."),
                    DialogIcon::Critical, DialogButtons::Ok});
    showStatus(QStringLiteral("Не удалось сохранить словарь..."));
}

// ---- sections ---------------------------------------------------------------------

const QList<DicRow> &DicEd::rows() const
{
    return m_model->rows();
}

void DicEd::ReadDicList(int section)
{
    m_records[section] = tableFromRows(m_model->rows());
    m_listChanged = false;
}

void DicEd::FillDicList(int section)
{
    m_model->setRows(rowsFromTable(m_records[section]));
}

void DicEd::showSection(int section)
{
    if (m_mode != OwnMode)
        return;
    m_sortButton->setToolTip(section == 0 ? QStringLiteral("Отсортировать словарь по разделам")
                                          : QStringLiteral("Отсортировать раздел словаря по алфавиту"));
    if (m_listChanged && m_section >= 0) {
        ReadDicList(m_section);
        if (m_section == 0)
            splitIntoSections(m_records);
        else
            joinSections(m_records);
    }
    if (section != m_section) {
        FillDicList(section);
        m_section = section;
    }
    const QSignalBlocker blocker(m_sections);
    m_sections->setCurrentIndex(section);
    updateCount();
}

void DicEd::updateCount()
{
    m_count->setText(QStringLiteral("Кол-во записей в словаре: %1").arg(m_model->rowCount()));
}

// ---- rows ----------------------------------------------------------------------------

int DicEd::selectedRow() const
{
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QList<int> DicEd::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DicEd::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

void DicEd::onRowSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const DicRow &value = m_model->rows()[row];
    m_word->setText(value.word);
    m_pronunciation->setText(value.pronunciation);
    m_caseBox->setChecked(rowKeepsCase(value, m_mode == SpeechCubeMode));
    if (m_autoSpeak->isChecked() && m_voice) {
        tryWithoutDictionaries();
        Spk(value.pronunciation, false);
    }
}

DicRow DicEd::rowFromFields() const
{
    if (m_mode == OwnMode)
        return {m_word->text(), m_pronunciation->text(), m_caseBox->isChecked() ? kCaseSensitiveMark : QString()};
    return {m_word->text().trimmed(), toEngineNotation(m_pronunciation->text()),
            m_caseBox->isChecked() ? QString() : QStringLiteral("/i")};
}

void DicEd::markChanged()
{
    m_listChanged = true;
    m_dicChanged = true;
    updateCount();
}

void DicEd::addRow()
{
    if (m_word->text().isEmpty())
        return;
    const int selected = selectedRow();
    const int position = selected < 0 ? m_model->rowCount() : selected;
    m_model->insertRowsAt(position, {rowFromFields()});
    selectRow(position);
    markChanged();
}

void DicEd::saveRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_model->setRow(row, rowFromFields());
    markChanged();
}

void DicEd::deleteRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    if (m_keepDeleted->isChecked()
        && !appendDeletedKey(programPath(m_programFolder, QStringLiteral("\\trashdic.txt")), m_model->rows()[row].word))
        showStatus(QStringLiteral("Не удалось дописать trashdic.txt"));
    m_model->removeRowList({row});
    selectRow(std::min(row, m_model->rowCount() - 1));
    markChanged();
}

void DicEd::cycleMarkers(bool allForms)
{
    if (!m_word->text().isEmpty())
        m_word->setText(nextMarkedWord(m_word->text(), allForms));
}

void DicEd::findAffectingEntry()
{
    if (m_listChanged && m_section >= 0)
        ReadDicList(m_section);
    // The rows were just stored: the next section switch must still regroup.
    m_listChanged = m_listChanged || m_dicChanged;
    const int row = rowChangingText(m_model->rows(), m_search->text(), m_mode == SpeechCubeMode);
    if (row >= 0)
        selectRow(row);
    else
        showStatus(QStringLiteral("Запись, влияющая на слово, не найдена."));
}

void DicEd::findPlace()
{
    selectRow(alphabeticalPosition(m_model->rows(), m_word->text()));
}

void DicEd::sortRows()
{
    if (m_mode != OwnMode)
        return;
    if (m_section <= 0) {
        m_listChanged = true;
        const int shown = std::max(0, m_section);
        ReadDicList(shown);
        splitIntoSections(m_records);
        joinSections(m_records);
        FillDicList(0);
        m_section = 0;
        m_dicChanged = true;
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

void DicEd::cutRows(bool remove)
{
    const QList<int> selected = selectedRows();
    if (selected.isEmpty())
        return;
    m_buffer.clear();
    for (int row : selected)
        m_buffer.append(m_model->rows()[row]);
    m_paste->setEnabled(true);
    if (remove) {
        m_model->removeRowList(selected);
        selectRow(std::min(selected.first(), m_model->rowCount() - 1));
        markChanged();
    }
}

void DicEd::pasteRows()
{
    if (m_buffer.isEmpty())
        return;
    const int position = selectedRow() + 1;
    m_model->insertRowsAt(position, m_buffer);
    selectRow(position);
    markChanged();
}

void DicEd::searchTyped()
{
    const int row = rowStartingWith(m_model->rows(), m_search->text());
    if (row >= 0)
        selectRow(row);
}

// The mark the trial voice reads as stress; a Speech Cube dictionary is
// written for that engine and keeps its "<".
QString DicEd::stressMark() const
{
    return m_voice && m_mode == OwnMode ? m_voice->stressMark() : QStringLiteral("<");
}

void DicEd::insertStress(const QString &mark)
{
    m_pronunciation->insert(mark);
    m_pronunciation->setFocus();
}

bool DicEd::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == m_pronunciation && key == Qt::Key_Insert) {
            insertStress(stressMark());
            return true;
        }
        if (watched == m_search && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            const int row = selectedRow() + (key == Qt::Key_Up ? -1 : 1);
            if (row >= 0 && row < m_model->rowCount())
                selectRow(row);
            return true;
        }
    }
    if (watched == m_enginePathLabel && event->type() == QEvent::MouseButtonRelease
        && m_dialogs.show({kTitle, QStringLiteral("Изменить путь к словарю движка?"), DialogIcon::Question,
                           DialogButtons::YesNo})
               == DialogAnswer::Yes)
        askEnginePath();
    return QMainWindow::eventFilter(watched, event);
}

// ---- checks and trials ------------------------------------------------------------

void DicEd::CheckDic()
{
    showSection(0);
    QElapsedTimer clock;
    clock.start();
    ToolProgress progress;
    progress.report = [this](int, const QString &status) {
        showStatus(status);
        QApplication::processEvents();
    };
    const RepeatCheck check = findRepeatedRows(m_model->rows(), m_mode == SpeechCubeMode,
                                               m_removeDifferent->isChecked(), progress);
    if (check.conflictRow >= 0) {
        selectRow(check.conflictRow);
        m_dialogs.show({kTitle, QStringLiteral("Обнаружены разные произношения одного слова!"),
                        DialogIcon::Exclamation, DialogButtons::Ok});
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

void DicEd::Spk(const QString &text, bool cleaR)
{
    if (m_voice)
        m_voice->speak(text, cleaR);
}

void DicEd::tryWithDictionary(bool plain)
{
    const QString text = m_search->text();
    Spk(plain || m_mode == SpeechCubeMode ? text : m_dictionaries.ApplyDictionaries(text, false), true);
}

void DicEd::tryWithoutDictionaries()
{
    const QString word = withoutStars(m_word->text());
    const bool protect = m_mode == SpeechCubeMode || !m_cubeBox->isChecked();
    Spk(protect ? u'<' + word + u'>' : word, true);
}

void DicEd::FindNames(const QString &text, bool noForeignWords, bool noAllWords, int minimumLength)
{
    m_pages->setCurrentWidget(m_finder);
    ShowMe();
    if (text.isEmpty())
        return;
    m_finder->run(text, {noForeignWords, noAllWords, minimumLength});
}
