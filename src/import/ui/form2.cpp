#include "form2.h"

#include "common/ui/named_control.h"

#include "app/settings.h"
#include "app/ui/window_placement_ui.h"
#include "common/ini_file.h"
#include "common/program_folder.h"
#include "dictionaries/ui/dic_ed.h"
#include "dictionaries/ui/dictionary_windows.h"
#include "import/editor_estimate.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Design size of the controls' area, in pixels.
constexpr int kDesignWidth = 820;
constexpr int kDesignHeight = 624;
constexpr int kSliderSteps = 60;

const QString kPlacementKey = QStringLiteral("Добавить книгу");

QLabel *label(const QString &text, QWidget *parent, const QRect &geometry)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

QCheckBox *checkBox(const char *name, const QString &caption, QWidget *parent, const QRect &geometry,
                    const QString &tooltip = {})
{
    auto *box = named(new QCheckBox(caption, parent), name, tooltip);
    box->setGeometry(geometry);
    return box;
}

QPushButton *button(const char *name, const QString &caption, QWidget *parent, const QRect &geometry,
                    const QString &tooltip = {})
{
    auto *b = named(new QPushButton(caption, parent), name, tooltip);
    b->setGeometry(geometry);
    return b;
}

QString identifierPrompt()
{
    return QStringList{
        QStringLiteral("Введите слово, обозначающее начало нового блока."),
        QStringLiteral("(Проверяется первое слово в строке."),
        QStringLiteral("Чувствительно к регистру, пробелы в начале проверяемой строки игнорируются)"),
        QStringLiteral("? - любой символ"),
        QStringLiteral("# - любая цифра"),
        QStringLiteral("[a-z],[0-9] - символы, цифры из диапазона"),
        QStringLiteral("* - несколько символов"),
        QStringLiteral("[!a-z] - символы, не входящие в диапазон"),
        QStringLiteral("| - конец строки"),
        QStringLiteral("[*],[?] - символы звездочка, вопрсительный знак итд нужно помещать в квадратные скобки!"),
        QStringLiteral("\\ - одна пустая строка, \\\\ - 2 пустыестроки ит.д."),
    }.join(QStringLiteral("\n"));
}

} // namespace

Form2::Form2(const QString &programFolder, Settings &mainSettings, UserDialogs &dialogs, TrialVoice *voice,
             QWidget *parent)
    : QMainWindow(parent)
    , m_programFolder(programFolder)
    , m_mainSettings(mainSettings)
    , m_dialogs(dialogs)
    , m_voice(voice)
    , m_loader(dialogs, m_wordConverter)
{
    setObjectName(QStringLiteral("Form2"));
    m_loader.setStatusListener([this](const QString &status) {
        statusBar()->showMessage(status);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    setWindowTitle(QStringLiteral("Добавить книгу"));
    buildControls();
    connectControls();
    resize(kDesignWidth, kDesignHeight + statusBar()->sizeHint().height());
    applyOptions(AddOptions()); // the design values, for keys the settings file lacks
    LoadS();
    updateEnabledOptions();

    chooseOpenFile = [this](const QString &folder) {
        return QFileDialog::getOpenFileName(
            this, QStringLiteral("Открыть книгу"), folder,
            QStringLiteral("Все форматы (*.txt *.rtf *.doc *.fb2 *.htm *.html);;Текстовые файлы (*.txt);;"
                           "Текст в формате RTF (*.rtf);;Документ Word (*.doc);;"
                           "Web страница (*.htm *.html);;FictionBook (*.fb2)"));
    };
    chooseSaveFile = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить как..."), m_lastFolder,
                                            QStringLiteral("Текстовые файлы (*.txt)"));
    };
    askIdentifier = [this]() -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, QStringLiteral("Ввод ключевого слова"), identifierPrompt(),
                                                   QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    };
    findNames = [this](const QString &text, const NameSearchOptions &options) {
        openDictionaryEditor(this, m_programFolder, m_dialogs, m_voice)
            ->FindNames(text, !options.foreignWords, !options.longWords, options.minimumLength);
    };
    showDictionaryList = [this] { ::showDictionaryList(this, m_programFolder, m_dialogs); };
}

Form2::~Form2()
{
    // A focus change while the controls are destroyed (the title field's
    // validation) must not reach this part of the window any more.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
}

QString Form2::iniPath() const
{
    return programPath(m_programFolder, QStringLiteral("\\Lectorium.ini"));
}

// ---- building -------------------------------------------------------------

void Form2::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form2Client"));
    setCentralWidget(client);
    QFont compact = client->font();
    compact.setPointSizeF(8);
    client->setFont(compact);
    client->resize(kDesignWidth, kDesignHeight);

    buildTextArea(client);
    buildFindFrame(client);
    buildTitleArea(client);
    buildInformationFrame(client);
    buildTextOptions(client);
    buildBlockOptions(client);
    buildPreviewFrame(client);
    buildBottomRow(client);
    buildEditMenu();
    buildSearchMenu();
    buildSpecialLinesMenu();

    named(statusBar(), "StatusBar1");
    m_progressBar = named(new QProgressBar(statusBar()), "ProgressBar1");
    m_progressBar->setRange(0, 100);
    m_progressBar->setMaximumWidth(200);
    m_progressBar->hide();
    statusBar()->addPermanentWidget(m_progressBar);

    m_szTimer = new QTimer(this);
    m_szTimer->setObjectName(QStringLiteral("szTimer"));
    m_szTimer->setSingleShot(true);
    m_szTimer->setInterval(250);
    m_scaler.record(client);
}

void Form2::buildTextArea(QWidget *client)
{
    // A plain-text control: it lays out only what is shown, so a book of
    // several megabytes loads and scrolls at once.
    m_text = named(new QPlainTextEdit(client), "RichTextBox1");
    m_text->setGeometry(4, 4, 452, 562);
    m_text->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont textFont = m_text->font();
    textFont.setPointSizeF(10);
    m_text->setFont(textFont);
    m_text->viewport()->setAcceptDrops(true);
    m_text->viewport()->installEventFilter(this);
}

void Form2::buildFindFrame(QWidget *client)
{
    m_findFrame = named(new QFrame(client), "Frame5");
    m_findFrame->setFrameShape(QFrame::StyledPanel);
    m_findFrame->setGeometry(4, 508, 452, 58);
    label(QStringLiteral("Найти:"), m_findFrame, {4, 6, 70, 20});
    m_text3 = named(new QLineEdit(m_findFrame), "Text3");
    m_text3->setGeometry(76, 4, 150, 22);
    m_command17 = button("Command17", QStringLiteral("Найти"), m_findFrame, {230, 3, 84, 24});
    m_check12 = checkBox("Check12", QStringLiteral("Учитывать регистр"), m_findFrame, {318, 5, 130, 20});
    label(QStringLiteral("Заменить на:"), m_findFrame, {4, 32, 70, 20});
    m_text4 = named(new QLineEdit(m_findFrame), "Text4");
    m_text4->setGeometry(76, 30, 150, 22);
    m_command15 = button("Command15", QStringLiteral("Заменить"), m_findFrame, {230, 29, 84, 24});
    m_command16 = button("Command16", QStringLiteral("Отменить замену"), m_findFrame, {318, 29, 130, 24});
    m_command16->setEnabled(false);
    m_findFrame->hide();
}

void Form2::buildTitleArea(QWidget *client)
{
    label(QStringLiteral("Название книги:"), client, {462, 4, 200, 18});
    m_text9 = named(new QLineEdit(client), "Text9", QStringLiteral("Название книги (имя проекта)"));
    m_text9->setGeometry(462, 22, 320, 24);
    m_command10 = button("Command10", QStringLiteral("<<"), client, {786, 22, 30, 24},
                         QStringLiteral("Выделите название книги в тексте и нажмите эту кнопку..."));
    m_text2 = named(new QLineEdit(client), "Text2", QStringLiteral("Файл книги"));
    m_text2->setGeometry(462, 50, 354, 22);
    m_text2->setReadOnly(true);

    m_command7 = button("Command7", QString(), client, {462, 76, 30, 26}, QStringLiteral("Открыть файл книги..."));
    m_command7->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_command9 = button("Command9", QString(), client, {496, 76, 30, 26}, QStringLiteral("Вставить текст из буфера."));
    m_command9->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_command14 = button("Command14", QString(), client, {530, 76, 30, 26}, QStringLiteral("Сохранить как..."));
    m_command14->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_check11 = checkBox("Check11", QStringLiteral("Поиск и замена"), client, {570, 79, 120, 20});
    m_label11 = named(new QLabel(client), "Label11", QStringLiteral("Приблизительная длительность всей книги"));
    m_label11->setGeometry(694, 80, 122, 18);
    m_label11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void Form2::buildInformationFrame(QWidget *client)
{
    m_infoFrame = named(new QGroupBox(QStringLiteral("Дополнительная информация"), client), "Frame1");
    m_infoFrame->setGeometry(462, 104, 354, 172);
    const QStringList captions{QStringLiteral("Название:"), QStringLiteral("Цикл:"), QString(),
                               QStringLiteral("Автор(ы):"), QStringLiteral("Жанр:"),
                               QStringLiteral("Аннотация:"), QStringLiteral("Дата:")};
    const QList<QRect> places{{78, 16, 270, 20}, {78, 38, 210, 20}, {292, 38, 56, 20}, {78, 60, 270, 34},
                              {78, 96, 270, 20}, {78, 118, 270, 28}, {78, 148, 270, 20}};
    for (int i = 0; i < 7; ++i) {
        QWidget *field = nullptr;
        if (i == 3 || i == 5) {
            auto *box = new QPlainTextEdit(m_infoFrame);
            box->setTabChangesFocus(true);
            field = box;
        } else {
            field = new QLineEdit(m_infoFrame);
        }
        field->setObjectName(QStringLiteral("Text5_%1").arg(i));
        field->setGeometry(places[i]);
        if (i == 2)
            field->setToolTip(QStringLiteral("Номер в цикле"));
        if (!captions[i].isEmpty())
            label(captions[i], m_infoFrame, {6, places[i].y() + 2, 70, 16});
        m_text5.append(field);
    }
}

void Form2::buildTextOptions(QWidget *client)
{
    m_textFrame = named(new QGroupBox(QStringLiteral("Обработка текста"), client), "Frame2");
    m_textFrame->setGeometry(462, 278, 354, 100);
    m_check3 = checkBox("Check3", QStringLiteral("Анализ диалогов"), m_textFrame, {6, 16, 160, 18});
    m_check9 = checkBox("Check9", QStringLiteral("2-х голосый диалог"), m_textFrame, {216, 16, 132, 18});
    m_check4 = checkBox("Check4", QStringLiteral("Абзац НЕ начинается пробелом или табуляцией"), m_textFrame,
                        {6, 36, 342, 18});
    m_check5 = checkBox("Check5", QStringLiteral("Диалог начинается с кавычек"), m_textFrame, {6, 56, 206, 18});
    m_check6 = checkBox("Check6", QStringLiteral("Удалять переносы"), m_textFrame, {216, 56, 132, 18});
    m_check10 = checkBox("Check10", QStringLiteral("Годы 2000-2999 словами"), m_textFrame, {6, 76, 200, 18},
                         QStringLiteral("Исправить произношение движком числителных (2000-2999)"));
}

void Form2::buildBlockOptions(QWidget *client)
{
    m_blockFrame = named(new QGroupBox(QStringLiteral("Разбиение на блоки"), client), "Frame3");
    m_blockFrame->setGeometry(462, 380, 354, 186);
    m_check2 = checkBox("Check2", QStringLiteral("Резрезать по оглавлению"), m_blockFrame, {6, 16, 200, 18});
    m_list1 = named(new QListWidget(m_blockFrame), "List1", QStringLiteral("Список идентификаторов начала нового блока"));
    m_list1->setGeometry(6, 36, 200, 80);
    m_command4 = button("Command4", QStringLiteral("Добавить..."), m_blockFrame, {212, 36, 136, 20},
                        QStringLiteral("Добавить разделитель (Правый клик - список заготовок)"));
    m_command4->setContextMenuPolicy(Qt::CustomContextMenu);
    m_command5 = button("Command5", QStringLiteral("Удалить"), m_blockFrame, {212, 56, 136, 20});
    m_command2 = button("Command2", QStringLiteral("Выделить все"), m_blockFrame, {212, 76, 136, 20});
    m_command6 = button("Command6", QStringLiteral("Снять выделение"), m_blockFrame, {212, 96, 136, 20});
    m_check1 = checkBox("Check1", QStringLiteral("Максимальный размер блока:"), m_blockFrame, {6, 122, 198, 18});
    m_text1 = named(new QLineEdit(m_blockFrame), "Text1",
                    QStringLiteral("Будет начат следующий блок, если превышен указанный размер и строка "
                                   "оканчивается точкой."));
    m_text1->setGeometry(206, 120, 70, 22);
    m_label9 = named(new QLabel(m_blockFrame), "Label9");
    m_label9->setGeometry(280, 122, 68, 18);
    label(QStringLiteral("Максимальная длительность блока (приблизительно)"), m_blockFrame, {6, 144, 342, 16});
    m_slider1 = named(new QSlider(Qt::Horizontal, m_blockFrame), "Slider1");
    m_slider1->setGeometry(6, 160, 342, 22);
    m_slider1->setRange(1, kSliderSteps);
    m_slider1->setPageStep(2);
    m_slider1->setTickPosition(QSlider::TicksBelow);
    m_slider1->setTickInterval(2);
}

void Form2::buildPreviewFrame(QWidget *client)
{
    m_previewFrame = named(new QGroupBox(QStringLiteral("Оглавление"), client), "Frame4");
    m_previewFrame->setGeometry(462, 278, 354, 288);
    m_listView1 = named(new QTreeWidget(m_previewFrame), "ListView1");
    m_listView1->setGeometry(6, 16, 342, 236);
    m_listView1->setHeaderLabels({QStringLiteral("Глава"), QStringLiteral("Время")});
    m_listView1->setRootIsDecorated(false);
    m_listView1->header()->setStretchLastSection(false);
    m_listView1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_listView1->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_command12 = button("Command12", QStringLiteral("Стоп"), m_previewFrame, {250, 256, 98, 26});
    m_previewFrame->hide();
}

void Form2::buildBottomRow(QWidget *client)
{
    m_dictionaryFrame = named(new QGroupBox(QStringLiteral("Обработка словарем"), client), "Frame6");
    m_dictionaryFrame->setGeometry(4, 570, 452, 50);
    m_check7 = checkBox("Check7", QStringLiteral("Вкл."), m_dictionaryFrame, {6, 22, 50, 20},
                        QStringLiteral("Обработать словарем во время добавления книги"));
    m_command13 = button("Command13", QStringLiteral("Словарный анализ"), m_dictionaryFrame, {60, 20, 130, 24},
                         QStringLiteral("Словарный анализ текста (правый клик - настройки)"));
    m_command13->setContextMenuPolicy(Qt::CustomContextMenu);
    m_command19 = button("Command19", QStringLiteral("Настройки..."), m_dictionaryFrame, {194, 20, 130, 24},
                         QStringLiteral("Настройки словесного анализатора"));
    m_command18 = button("Command18", QStringLiteral("Словари..."), m_dictionaryFrame, {328, 20, 118, 24},
                         QStringLiteral("Словари..."));

    m_command11 = button("Command11", QStringLiteral("Найти Главы"), client, {462, 572, 110, 24},
                         QStringLiteral("Предварительный просмотр разбиения по главам..."));
    m_check8 = checkBox("Check8", QStringLiteral("Начать запись книги после добавления"), client,
                        {462, 600, 248, 20});
    m_command1 = button("Command1", QStringLiteral("Добавить книгу"), client, {712, 572, 104, 26},
                        QStringLiteral("Добавить файл в библиотеку!"));
    m_command1->setEnabled(false);
    QFont bold = m_command1->font();
    bold.setBold(true);
    m_command1->setFont(bold);
    m_command3 = button("Command3", QStringLiteral("Отмена"), client, {712, 600, 104, 22});
}

void Form2::buildEditMenu()
{
    m_editMenu = new QMenu(QStringLiteral("Редактирование"), this);
    m_editMenu->setObjectName(QStringLiteral("mnEdit"));
    auto add = [this](QMenu *menu, const char *name, const QString &caption, auto slot) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_mnCut = add(m_editMenu, "mnCut", QStringLiteral("Вырезать"), [this] { m_text->cut(); });
    add(m_editMenu, "mnCopy", QStringLiteral("Копировать"), [this] { m_text->copy(); });
    add(m_editMenu, "mnPaste", QStringLiteral("Вставить"), [this] { m_text->paste(); });
    QMenu *select = m_editMenu->addMenu(QStringLiteral("Выделить"));
    select->setObjectName(QStringLiteral("mnSelect"));
    add(select, "mnSelAll", QStringLiteral("Все"), &Form2::selectAll);
    add(select, "mnSelUp", QStringLiteral("Вверх"), &Form2::selectUp);
    add(select, "mnSelDown", QStringLiteral("Вниз"), &Form2::selectDown);
    add(m_editMenu, "mnReplace", QStringLiteral("Заменить..."), [this] {
        m_check11->setChecked(true);
        if (m_text->textCursor().hasSelection())
            m_text3->setText(m_text->textCursor().selectedText());
        m_text4->setFocus();
    });
    m_editMenu->addSeparator();
    m_mnTitle = add(m_editMenu, "mnTitle", QStringLiteral("-> Название книги"), &Form2::titleFromSelection);
    m_mnChapter = add(m_editMenu, "AddChp", QStringLiteral("-> идентификатор главы"), &Form2::identifierFromText);
    m_mnSaveSelection = add(m_editMenu, "mnSaveSel", QStringLiteral("-> Сохранить выдел. как..."),
                            [this] { saveAs(true); });
    m_mnPropCase = add(m_editMenu, "mnPropCase", QStringLiteral("Измен. регистр (ТЕКСТ->Текст)"),
                       &Form2::properCaseSelection);
}

void Form2::buildSearchMenu()
{
    m_searchMenu = new QMenu(QStringLiteral("Поиск"), this);
    m_searchMenu->setObjectName(QStringLiteral("mnSearch"));
    QAction *names = m_searchMenu->addAction(QStringLiteral("Имена и названия"));
    names->setObjectName(QStringLiteral("fndNM"));
    names->setCheckable(true);
    names->setChecked(true);
    names->setEnabled(false); // names are always searched
    m_fndLAT = m_searchMenu->addAction(QStringLiteral("Иностранные слова"));
    m_fndLAT->setObjectName(QStringLiteral("fndLAT"));
    m_fndLAT->setCheckable(true);
    m_fndLONG = m_searchMenu->addAction(QStringLiteral("Все слова"));
    m_fndLONG->setObjectName(QStringLiteral("fndLONG"));
    m_fndLONG->setCheckable(true);
    QMenu *lengths = m_searchMenu->addMenu(QStringLiteral("Длина слов"));
    lengths->setObjectName(QStringLiteral("mnFwl"));
    const QList<WordLengthChoice> &choices = wordLengthChoices();
    for (int i = 0; i < choices.size(); ++i) {
        QAction *action = lengths->addAction(choices[i].caption);
        action->setObjectName(QStringLiteral("Fwl%1").arg(i));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, i] { chooseWordLength(i); });
        m_fwl.append(action);
    }
    connect(m_fndLAT, &QAction::toggled, this, [this](bool on) { m_nameSearch.foreignWords = on; });
    connect(m_fndLONG, &QAction::toggled, this, [this](bool on) {
        m_nameSearch.longWords = on;
        applyNameSearchOptions();
    });
}

void Form2::buildSpecialLinesMenu()
{
    m_specialLines = new QMenu(QStringLiteral("Спецстроки"), this);
    m_specialLines->setObjectName(QStringLiteral("mnSpecial"));
    m_specialLines->addAction(QStringLiteral("---===Спецстроки===---"))->setEnabled(false);
    const QList<std::pair<QString, QString>> entries{
        {QStringLiteral("ВСЕ ЗАГЛАВНЫЕ В СТРОКЕ"), QStringLiteral("$$")},
        {QStringLiteral("Пустая строка"), QStringLiteral("\\")},
        {QStringLiteral("Две пустые строки"), QStringLiteral("\\\\")},
        {QStringLiteral("Три пустые строки (fb2 <section>)"), QStringLiteral("\\\\\\")},
    };
    for (const auto &[caption, identifier] : entries) {
        QAction *action = m_specialLines->addAction(caption);
        connect(action, &QAction::triggered, this, [this, identifier] { addIdentifier(identifier); });
    }
}

void Form2::connectControls()
{
    connect(m_text, &QPlainTextEdit::textChanged, this, &Form2::textChanged);
    connect(m_text, &QWidget::customContextMenuRequested, this, &Form2::showEditMenu);
    connect(m_check11, &QCheckBox::toggled, this, [this](bool on) {
        m_findFrame->setVisible(on);
        placeTextBesideFindFrame();
        if (on)
            m_text3->setFocus();
    });
    connect(m_text3, &QLineEdit::textEdited, this, [this] { m_search.restart(); });
    connect(m_text3, &QLineEdit::returnPressed, this, &Form2::findNext);
    connect(m_command17, &QPushButton::clicked, this, &Form2::findNext);
    connect(m_command15, &QPushButton::clicked, this, &Form2::replaceAll);
    connect(m_command16, &QPushButton::clicked, this, &Form2::undoReplace);

    connect(m_command7, &QPushButton::clicked, this, &Form2::openFile);
    connect(m_command9, &QPushButton::clicked, this, &Form2::LoadPaste);
    connect(m_command10, &QPushButton::clicked, this, &Form2::titleFromSelection);
    connect(m_command14, &QPushButton::clicked, this, [this] { saveAs(false); });
    connect(m_text9, &QLineEdit::editingFinished, this, &Form2::validateTitle);

    for (QCheckBox *box : {m_check1, m_check2, m_check3})
        connect(box, &QCheckBox::toggled, this, &Form2::updateEnabledOptions);
    connect(m_check7, &QCheckBox::clicked, this, &Form2::dictionaryOptionToggled);
    connect(m_slider1, &QSlider::valueChanged, this, &Form2::sliderMoved);
    connect(m_text1, &QLineEdit::textChanged, this, [this] {
        m_label9->setText(estimateLabel(options().maxBlockSize(), m_mainSettings.coefficient1));
    });
    connect(m_text1, &QLineEdit::textEdited, this, &Form2::sizeEdited);

    connect(m_list1, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        m_identifiers.setOn(m_list1->row(item), item->checkState() == Qt::Checked);
    });
    connect(m_command4, &QPushButton::clicked, this, &Form2::askAndAddIdentifier);
    connect(m_command4, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_specialLines->popup(m_command4->mapToGlobal(pos)); });
    connect(m_command5, &QPushButton::clicked, this, &Form2::removeIdentifier);
    connect(m_command2, &QPushButton::clicked, this, [this] { setAllIdentifiers(true); });
    connect(m_command6, &QPushButton::clicked, this, [this] { setAllIdentifiers(false); });

    connect(m_command11, &QPushButton::clicked, this, &Form2::previewChapters);
    connect(m_command12, &QPushButton::clicked, this, &Form2::stopPreview);
    connect(m_listView1, &QTreeWidget::itemClicked, this, &Form2::previewRowClicked);

    connect(m_command13, &QPushButton::clicked, this, &Form2::analyseWords);
    connect(m_command13, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_searchMenu->popup(m_command13->mapToGlobal(pos)); });
    connect(m_command19, &QPushButton::clicked, this,
            [this] { m_searchMenu->popup(m_command19->mapToGlobal(QPoint(0, m_command19->height()))); });
    connect(m_command18, &QPushButton::clicked, this, [this] { showDictionaryList(); });

    connect(m_command1, &QPushButton::clicked, this, &Form2::addBook);
    connect(m_command3, &QPushButton::clicked, this, &Form2::close);
    connect(m_szTimer, &QTimer::timeout, this, &Form2::scaleNow);
}

// ---- options and settings ---------------------------------------------------

AddOptions Form2::options() const
{
    AddOptions o;
    o.lastFolder = m_lastFolder;
    o.splitBySize = m_check1->isChecked();
    o.maxBlockSizeText = m_text1->text();
    o.splitByChapters = m_check2->isChecked();
    o.paragraphWithoutIndent = m_check4->isChecked();
    o.dialogueStartsWithQuotes = m_check5->isChecked();
    o.removeHyphens = m_check6->isChecked();
    o.applyDictionaries = m_check7->isChecked();
    o.analyseDialogues = m_check3->isChecked();
    o.twoVoiceDialogue = m_check9->isChecked();
    o.fixYears = m_check10->isChecked();
    return o;
}

void Form2::applyOptions(const AddOptions &o)
{
    m_lastFolder = o.lastFolder;
    m_check1->setChecked(o.splitBySize);
    m_text1->setText(o.maxBlockSizeText);
    m_check2->setChecked(o.splitByChapters);
    m_check4->setChecked(o.paragraphWithoutIndent);
    m_check5->setChecked(o.dialogueStartsWithQuotes);
    m_check6->setChecked(o.removeHyphens);
    m_check7->setChecked(o.applyDictionaries);
    m_check3->setChecked(o.analyseDialogues);
    m_check9->setChecked(o.twoVoiceDialogue);
    m_check10->setChecked(o.fixYears);
    const QSignalBlocker block(m_slider1);
    m_slider1->setValue(sliderPositionForSize(o.maxBlockSize(), m_mainSettings.coefficient1));
}

void Form2::applyNameSearchOptions()
{
    m_fndLAT->setChecked(m_nameSearch.foreignWords);
    m_fndLONG->setChecked(m_nameSearch.longWords);
    const int chosen = wordLengthChoiceIndex(m_nameSearch);
    for (int i = 0; i < m_fwl.size(); ++i)
        m_fwl[i]->setChecked(i == chosen);
}

void Form2::LoadS()
{
    AddOptions o = options();
    loadAddOptions(o, iniPath());
    applyOptions(o);
    loadNameSearchOptions(m_nameSearch, iniPath());
    applyNameSearchOptions();
    const QString placement = ReadIni(QStringLiteral("Окна"), kPlacementKey, iniPath()).value_or(QString());
    if (placement.isEmpty())
        placeInScreenCentre();
    ApplyWindowPlacement(this, placement);
    if (const auto entries = loadChapterIdentifiers(m_programFolder)) {
        m_identifiers = ChapterIdentifierList(*entries);
        fillIdentifierList();
    }
}

void Form2::SaveS()
{
    saveAddOptions(options(), iniPath());
    saveNameSearchOptions(m_nameSearch, iniPath());
    WriteIni(QStringLiteral("Окна"), kPlacementKey, windowPlacement(this), iniPath());
    saveChapterIdentifiers(m_programFolder, m_identifiers.entries());
}

void Form2::updateEnabledOptions()
{
    const bool dialogues = m_check3->isChecked();
    for (QCheckBox *box : {m_check9, m_check4, m_check5})
        box->setEnabled(dialogues);
    const bool chapters = m_check2->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{m_list1, m_command4, m_command5, m_command2, m_command6})
        w->setEnabled(chapters);
    const bool bySize = m_check1->isChecked();
    m_text1->setEnabled(bySize);
    m_slider1->setEnabled(bySize);
}

// ---- window -----------------------------------------------------------------

void Form2::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!m_szTimer->isActive())
        m_szTimer->start();
}

void Form2::scaleNow()
{
    m_szTimer->stop();
    m_scaler.scale();
    placeTextBesideFindFrame();
}

// The first time the editor opens it stands in the middle of the screen.
void Form2::placeInScreenCentre()
{
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    QRect frame = geometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
}

// The find frame lies over the lower part of the text's place; the text
// gives that part up while the frame is shown.
void Form2::placeTextBesideFindFrame()
{
    const QRect frame = m_findFrame->geometry();
    const int bottom = m_findFrame->isVisible() ? frame.top() - 4 : frame.bottom();
    m_text->setGeometry(m_text->x(), m_text->y(), m_text->width(), std::max(1, bottom - m_text->y() + 1));
}

void Form2::closeEvent(QCloseEvent *event)
{
    if (m_adding) {
        event->ignore();
        return;
    }
    if (m_previewRunning) {
        // The preview lets events run between its rows; it ends first.
        m_previewStop = true;
        event->ignore();
        QTimer::singleShot(0, this, &Form2::close);
        return;
    }
    // A dictionary editor opened from here goes with the editor; it may
    // still ask to save its changes.
    for (DicEd *editor : findChildren<DicEd *>()) {
        if (!editor->close()) {
            event->ignore();
            return;
        }
    }
    WriteIni(QStringLiteral("Окна"), kPlacementKey, windowPlacement(this), iniPath());
    if (!m_closing) {
        m_closing = true;
        QFile::remove(programPath(m_programFolder, QStringLiteral("\\book.tmp")));
        emit closed();
    }
    QMainWindow::closeEvent(event);
}
