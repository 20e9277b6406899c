#include "import/ui/book_editor_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "common/ui/named_control.h"

#include "app/book_file_filter.h"
#include "app/settings.h"
#include "common/ini_file.h"
#include "common/program_folder.h"
#include "common/ui/window_placement_ui.h"
#include "common/ui/window_teardown.h"
#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/dictionary_windows.h"
#include "import/editor_estimate.h"
#include "import/layout_headings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
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

// Where the loaded book's cover is shown in the information frame.
constexpr QRect kCoverPlace{304, 96, 44, 72};

QString openDialogFilters()
{
    const auto patterns = [](BookFileKind kind) { return bookFilePatterns(kind).join(u' '); };
    return QStringLiteral("Все форматы (%1);;Текстовые файлы (%2);;Текст в формате RTF (%3);;"
                          "Документ Word или OpenDocument (%4);;Web страница (%5);;FictionBook (%6);;"
                          "Электронная книга EPUB (%7);;Архив ZIP (%8);;Документ PDF (%9);;"
                          "Kindle, FB3, DjVu через calibre (%10)")
        .arg(patterns(BookFileKind::None), patterns(BookFileKind::Text), patterns(BookFileKind::Rtf),
             patterns(BookFileKind::Word), patterns(BookFileKind::Html), patterns(BookFileKind::FictionBook),
             patterns(BookFileKind::Epub), patterns(BookFileKind::Zip), patterns(BookFileKind::Pdf))
        .arg(patterns(BookFileKind::Calibre));
}

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

// The pattern classes, told wherever identifiers are typed.
QString numberClassHelp()
{
    return QStringLiteral("{номер} - номер главы: цифры, римское число или слово (первая, ДВАДЦАТЬ ПЕРВАЯ)\n"
                          "{римское} - римское число любой длины (I, XIV, XXXVIII)\n")
           + layoutHeadingHelp();
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
        QStringLiteral("[*],[?] - символы звездочка, вопросительный знак и т. д. нужно помещать в квадратные скобки!"),
        QStringLiteral("\\ - одна пустая строка, \\\\ - 2 пустые строки и т. д."),
        numberClassHelp(),
    }
        .join(QStringLiteral("\n"));
}

} // namespace

BookEditorWindow::BookEditorWindow(const QString &programFolder, Settings &mainSettings, UserDialogs &dialogs,
                                   TrialVoice *voice, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder), m_mainSettings(mainSettings), m_dialogs(dialogs),
      m_voice(voice), m_loader(dialogs, m_wordConverter)
{
    setObjectName(QStringLiteral("BookEditorWindow"));
    installHelpKey(this, HelpAnchor::bookEditor);
    m_loader.setStatusListener([this](const QString &status) {
        statusBar()->showMessage(status);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    setWindowTitle(QStringLiteral("Добавить книгу"));
    buildControls();
    connectControls();
    resize(kDesignWidth, kDesignHeight + statusBar()->sizeHint().height());
    applyOptions(AddOptions()); // the design values, for keys the settings file lacks
    loadEditorSettings();
    updateEnabledOptions();

    chooseOpenFile = [this](const QString &folder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Открыть книгу"), folder, openDialogFilters());
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
        openDictionaryEditor(this, m_programFolder, m_dialogs, m_voice)->findNamesInBook(text, finderOptions(options));
    };
    showDictionaryList = [this] { ::showDictionaryList(this, m_programFolder, m_dialogs); };
}

BookEditorWindow::~BookEditorWindow()
{
    disconnectChildrenFrom(this);
}

QString BookEditorWindow::iniPath() const
{
    return ProgramFolder(m_programFolder).settingsFile();
}

// ---- building -------------------------------------------------------------

void BookEditorWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("bookEditorClient"));
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

    named(statusBar(), "statusBar");
    m_progressBar = named(new QProgressBar(statusBar()), "progressBar");
    m_progressBar->setRange(0, 100);
    m_progressBar->setMaximumWidth(200);
    m_progressBar->hide();
    statusBar()->addPermanentWidget(m_progressBar);

    m_scaleTimer = scaleTimer(this, [this] { scaleNow(); });
    m_scaler.record(client);
}

void BookEditorWindow::buildTextArea(QWidget *client)
{
    // A plain-text control: it lays out only what is shown, so a book of
    // several megabytes loads and scrolls at once.
    m_bookTextEdit = named(new QPlainTextEdit(client), "bookTextEdit");
    m_bookTextEdit->setGeometry(4, 4, 452, 562);
    m_bookTextEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont textFont = m_bookTextEdit->font();
    textFont.setPointSizeF(10);
    m_bookTextEdit->setFont(textFont);
    m_bookTextEdit->viewport()->setAcceptDrops(true);
    m_bookTextEdit->viewport()->installEventFilter(this);
}

void BookEditorWindow::buildFindFrame(QWidget *client)
{
    m_findFrame = named(new QFrame(client), "findFrame");
    m_findFrame->setFrameShape(QFrame::StyledPanel);
    m_findFrame->setGeometry(4, 508, 452, 58);
    label(QStringLiteral("Найти:"), m_findFrame, {4, 6, 70, 20});
    m_findEdit = named(new QLineEdit(m_findFrame), "findEdit");
    m_findEdit->setGeometry(76, 4, 150, 22);
    m_findNextButton = button("findNextButton", QStringLiteral("Найти"), m_findFrame, {230, 3, 84, 24});
    m_matchCase = checkBox("matchCase", QStringLiteral("Учитывать регистр"), m_findFrame, {318, 5, 130, 20});
    label(QStringLiteral("Заменить на:"), m_findFrame, {4, 32, 70, 20});
    m_replaceEdit = named(new QLineEdit(m_findFrame), "replaceEdit");
    m_replaceEdit->setGeometry(76, 30, 150, 22);
    m_replaceAllButton = button("replaceAllButton", QStringLiteral("Заменить"), m_findFrame, {230, 29, 84, 24});
    m_undoReplaceButton =
        button("undoReplaceButton", QStringLiteral("Отменить замену"), m_findFrame, {318, 29, 130, 24});
    m_undoReplaceButton->setEnabled(false);
    m_findFrame->hide();
}

void BookEditorWindow::buildTitleArea(QWidget *client)
{
    label(QStringLiteral("Название книги:"), client, {462, 4, 200, 18});
    m_titleEdit = named(new QLineEdit(client), "titleEdit", QStringLiteral("Название книги (имя проекта)"));
    m_titleEdit->setGeometry(462, 22, 320, 24);
    m_titleFromSelectionButton = button("titleFromSelectionButton", QStringLiteral("<<"), client, {786, 22, 30, 24},
                                        QStringLiteral("Выделите название книги в тексте и нажмите эту кнопку..."));
    m_sourceFileEdit = named(new QLineEdit(client), "sourceFileEdit", QStringLiteral("Файл книги"));
    m_sourceFileEdit->setGeometry(462, 50, 220, 22);
    m_sourceFileEdit->setReadOnly(true);
    m_encodingList = named(new QComboBox(client), "encodingList",
                           QStringLiteral("Кодировка файла книги. «Автоматически» — по буквам текста; "
                                          "другая кодировка читает файл заново."));
    m_encodingList->setGeometry(686, 49, 130, 24);
    for (const BookFileEncoding encoding : bookFileEncodings())
        m_encodingList->addItem(bookFileEncodingCaption(encoding));
    m_encodingList->setEnabled(false);

    m_openFileButton =
        button("openFileButton", QString(), client, {462, 76, 30, 26}, QStringLiteral("Открыть файл книги..."));
    m_openFileButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_pasteButton =
        button("pasteButton", QString(), client, {496, 76, 30, 26}, QStringLiteral("Вставить текст из буфера."));
    m_pasteButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_saveAsButton = button("saveAsButton", QString(), client, {530, 76, 30, 26}, QStringLiteral("Сохранить как..."));
    m_saveAsButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_showFindReplace = checkBox("showFindReplace", QStringLiteral("Поиск и замена"), client, {570, 79, 120, 20});
    m_bookDurationLabel =
        named(new QLabel(client), "bookDurationLabel", QStringLiteral("Приблизительная длительность всей книги"));
    m_bookDurationLabel->setGeometry(694, 80, 122, 18);
    m_bookDurationLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void BookEditorWindow::buildInformationFrame(QWidget *client)
{
    m_infoFrame = named(new QGroupBox(QStringLiteral("Дополнительная информация"), client), "infoFrame");
    m_infoFrame->setGeometry(462, 104, 354, 172);
    const QStringList captions{QStringLiteral("Название:"), QStringLiteral("Цикл:"), QString(),
                               QStringLiteral("Автор(ы):"), QStringLiteral("Жанр:"), QStringLiteral("Аннотация:"),
                               QStringLiteral("Дата:")};
    // Genre, annotation and date leave room at their right for the cover.
    const QList<QRect> places{{78, 16, 270, 20}, {78, 38, 210, 20},  {292, 38, 56, 20}, {78, 60, 270, 34},
                              {78, 96, 222, 20}, {78, 118, 222, 28}, {78, 148, 222, 20}};
    for (int i = 0; i < 7; ++i) {
        QWidget *field = nullptr;
        if (i == 3 || i == 5) {
            auto *box = new QPlainTextEdit(m_infoFrame);
            box->setTabChangesFocus(true);
            field = box;
        } else {
            field = new QLineEdit(m_infoFrame);
        }
        field->setObjectName(QStringLiteral("informationField%1").arg(i));
        field->setGeometry(places[i]);
        if (i == 2)
            field->setToolTip(QStringLiteral("Номер в цикле"));
        if (!captions[i].isEmpty())
            label(captions[i], m_infoFrame, {6, places[i].y() + 2, 70, 16});
        m_informationFields.append(field);
    }
    m_coverLabel = named(new QLabel(m_infoFrame), "coverLabel", QStringLiteral("Обложка книги"));
    m_coverLabel->setGeometry(kCoverPlace);
    m_coverLabel->setAlignment(Qt::AlignCenter);
    m_coverLabel->hide();
}

void BookEditorWindow::buildTextOptions(QWidget *client)
{
    m_textProcessingFrame = named(new QGroupBox(QStringLiteral("Обработка текста"), client), "textProcessingFrame");
    m_textProcessingFrame->setGeometry(462, 278, 354, 100);
    m_analyseDialogues =
        checkBox("analyseDialogues", QStringLiteral("Анализ диалогов"), m_textProcessingFrame, {6, 16, 150, 18});
    m_twoVoiceDialogue =
        checkBox("twoVoiceDialogue", QStringLiteral("Двухголосый диалог"), m_textProcessingFrame, {170, 16, 178, 18});
    m_paragraphWithoutIndent =
        checkBox("paragraphWithoutIndent", QStringLiteral("Абзац НЕ начинается пробелом или табуляцией"),
                 m_textProcessingFrame, {6, 36, 342, 18});
    m_dialogueStartsWithQuotes = checkBox("dialogueStartsWithQuotes", QStringLiteral("Диалог начинается с кавычек"),
                                          m_textProcessingFrame, {6, 56, 206, 18});
    m_removeHyphens =
        checkBox("removeHyphens", QStringLiteral("Удалять переносы"), m_textProcessingFrame, {216, 56, 132, 18});
    m_spellOutYears =
        checkBox("spellOutYears", QStringLiteral("Годы 2000-2999 словами"), m_textProcessingFrame, {6, 76, 200, 18},
                 QStringLiteral("Исправить произношение движком числительных (2000-2999)"));
}

void BookEditorWindow::buildBlockOptions(QWidget *client)
{
    m_blockSplittingFrame = named(new QGroupBox(QStringLiteral("Разбиение на блоки"), client), "blockSplittingFrame");
    m_blockSplittingFrame->setGeometry(462, 380, 354, 186);
    m_splitByChapters =
        checkBox("splitByChapters", QStringLiteral("Разрезать по оглавлению"), m_blockSplittingFrame, {6, 16, 200, 18});
    m_chapterIdentifierList = named(new QListWidget(m_blockSplittingFrame), "chapterIdentifierList",
                                    QStringLiteral("Список идентификаторов начала нового блока\n") + numberClassHelp());
    m_chapterIdentifierList->setGeometry(6, 36, 200, 80);
    m_addIdentifierButton =
        button("addIdentifierButton", QStringLiteral("Добавить..."), m_blockSplittingFrame, {212, 36, 136, 20},
               QStringLiteral("Добавить разделитель (Правый клик - список заготовок)"));
    m_addIdentifierButton->setContextMenuPolicy(Qt::CustomContextMenu);
    m_removeIdentifierButton =
        button("removeIdentifierButton", QStringLiteral("Удалить"), m_blockSplittingFrame, {212, 56, 136, 20});
    m_checkAllIdentifiersButton =
        button("checkAllIdentifiersButton", QStringLiteral("Выделить все"), m_blockSplittingFrame, {212, 76, 136, 20});
    m_uncheckAllIdentifiersButton = button("uncheckAllIdentifiersButton", QStringLiteral("Снять выделение"),
                                           m_blockSplittingFrame, {212, 96, 136, 20});
    m_splitBySize =
        checkBox("splitBySize", QStringLiteral("Максимальный размер блока:"), m_blockSplittingFrame, {6, 122, 198, 18});
    m_maxBlockSizeEdit = named(new QLineEdit(m_blockSplittingFrame), "maxBlockSizeEdit",
                               QStringLiteral("Будет начат следующий блок, если превышен указанный размер и строка "
                                              "оканчивается точкой."));
    m_maxBlockSizeEdit->setGeometry(206, 120, 70, 22);
    m_blockDurationLabel = named(new QLabel(m_blockSplittingFrame), "blockDurationLabel");
    m_blockDurationLabel->setGeometry(280, 122, 68, 18);
    label(QStringLiteral("Максимальная длительность блока (приблизительно)"), m_blockSplittingFrame, {6, 144, 342, 16});
    m_blockDurationSlider = named(new QSlider(Qt::Horizontal, m_blockSplittingFrame), "blockDurationSlider");
    m_blockDurationSlider->setGeometry(6, 160, 342, 22);
    m_blockDurationSlider->setRange(1, kSliderSteps);
    m_blockDurationSlider->setPageStep(2);
    m_blockDurationSlider->setTickPosition(QSlider::TicksBelow);
    m_blockDurationSlider->setTickInterval(2);
}

void BookEditorWindow::buildPreviewFrame(QWidget *client)
{
    m_previewFrame = named(new QGroupBox(QStringLiteral("Оглавление"), client), "previewFrame");
    m_previewFrame->setGeometry(462, 278, 354, 288);
    m_chapterPreviewList = named(new QTreeWidget(m_previewFrame), "chapterPreviewList");
    m_chapterPreviewList->setGeometry(6, 16, 342, 236);
    m_chapterPreviewList->setHeaderLabels({QStringLiteral("Глава"), QStringLiteral("Время")});
    m_chapterPreviewList->setRootIsDecorated(false);
    m_chapterPreviewList->header()->setStretchLastSection(false);
    m_chapterPreviewList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_chapterPreviewList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_stopPreviewButton = button("stopPreviewButton", QStringLiteral("Стоп"), m_previewFrame, {250, 256, 98, 26});
    m_previewFrame->hide();
}

void BookEditorWindow::buildBottomRow(QWidget *client)
{
    m_dictionaryFrame = named(new QGroupBox(QStringLiteral("Обработка словарем"), client), "dictionaryFrame");
    m_dictionaryFrame->setGeometry(4, 570, 452, 50);
    m_applyDictionaries = checkBox("applyDictionaries", QStringLiteral("Вкл."), m_dictionaryFrame, {6, 22, 50, 20},
                                   QStringLiteral("Обработать словарем во время добавления книги"));
    m_analyseWordsButton =
        button("analyseWordsButton", QStringLiteral("Словарный анализ"), m_dictionaryFrame, {60, 20, 130, 24},
               QStringLiteral("Словарный анализ текста (правый клик - настройки)"));
    m_analyseWordsButton->setContextMenuPolicy(Qt::CustomContextMenu);
    m_wordAnalysisOptionsButton = button("wordAnalysisOptionsButton", QStringLiteral("Настройки..."), m_dictionaryFrame,
                                         {194, 20, 130, 24}, QStringLiteral("Настройки словесного анализатора"));
    m_dictionariesButton = button("dictionariesButton", QStringLiteral("Словари..."), m_dictionaryFrame,
                                  {328, 20, 118, 24}, QStringLiteral("Словари..."));

    m_previewChaptersButton =
        button("previewChaptersButton", QStringLiteral("Найти Главы"), client, {462, 572, 110, 24},
               QStringLiteral("Предварительный просмотр разбиения по главам..."));
    m_recordAfterAdding =
        checkBox("recordAfterAdding", QStringLiteral("Записать книгу после добавления"), client, {462, 600, 248, 20});
    m_recordAfterAdding->setToolTip(QStringLiteral("Начать запись книги сразу после её добавления в библиотеку"));
    m_addBookButton = button("addBookButton", QStringLiteral("Добавить книгу"), client, {702, 572, 114, 26},
                             QStringLiteral("Добавить файл в библиотеку!"));
    m_addBookButton->setEnabled(false);
    QFont bold = m_addBookButton->font();
    bold.setBold(true);
    m_addBookButton->setFont(bold);
    m_cancelButton = button("cancelButton", QStringLiteral("Отмена"), client, {712, 600, 104, 22});
}

void BookEditorWindow::buildEditMenu()
{
    m_editMenu = new QMenu(QStringLiteral("Редактирование"), this);
    m_editMenu->setObjectName(QStringLiteral("editMenu"));
    auto add = [this](QMenu *menu, const char *name, const QString &caption, auto slot) {
        QAction *action = named(menu->addAction(caption), name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_cutAction = add(m_editMenu, "cutAction", QStringLiteral("Вырезать"), [this] { m_bookTextEdit->cut(); });
    add(m_editMenu, "copyAction", QStringLiteral("Копировать"), [this] { m_bookTextEdit->copy(); });
    add(m_editMenu, "pasteAction", QStringLiteral("Вставить"), [this] { m_bookTextEdit->paste(); });
    QMenu *select = m_editMenu->addMenu(QStringLiteral("Выделить"));
    select->setObjectName(QStringLiteral("selectMenu"));
    add(select, "selectAllAction", QStringLiteral("Все"), &BookEditorWindow::selectAll);
    add(select, "selectToStartAction", QStringLiteral("Вверх"), &BookEditorWindow::selectUp);
    add(select, "selectToEndAction", QStringLiteral("Вниз"), &BookEditorWindow::selectDown);
    add(m_editMenu, "replaceAction", QStringLiteral("Заменить..."), [this] {
        m_showFindReplace->setChecked(true);
        if (m_bookTextEdit->textCursor().hasSelection())
            m_findEdit->setText(m_bookTextEdit->textCursor().selectedText());
        m_replaceEdit->setFocus();
    });
    m_editMenu->addSeparator();
    m_titleFromSelectionAction = add(m_editMenu, "titleFromSelectionAction", QStringLiteral("-> Название книги"),
                                     &BookEditorWindow::titleFromSelection);
    m_identifierFromSelectionAction =
        add(m_editMenu, "identifierFromSelectionAction", QStringLiteral("-> идентификатор главы"),
            &BookEditorWindow::identifierFromText);
    m_saveSelectionAction =
        add(m_editMenu, "saveSelectionAction", QStringLiteral("-> Сохранить выдел. как..."), [this] { saveAs(true); });
    m_properCaseAction = add(m_editMenu, "properCaseAction", QStringLiteral("Измен. регистр (ТЕКСТ->Текст)"),
                             &BookEditorWindow::properCaseSelection);
}

void BookEditorWindow::buildSearchMenu()
{
    m_searchMenu = new QMenu(QStringLiteral("Поиск"), this);
    m_searchMenu->setObjectName(QStringLiteral("searchMenu"));
    QAction *names = m_searchMenu->addAction(QStringLiteral("Имена и названия"));
    names->setObjectName(QStringLiteral("findNamesAction"));
    names->setCheckable(true);
    names->setChecked(true);
    names->setEnabled(false); // names are always searched
    m_findForeignWordsAction = m_searchMenu->addAction(QStringLiteral("Иностранные слова"));
    m_findForeignWordsAction->setObjectName(QStringLiteral("findForeignWordsAction"));
    m_findForeignWordsAction->setCheckable(true);
    m_findAllWordsAction = m_searchMenu->addAction(QStringLiteral("Все слова"));
    m_findAllWordsAction->setObjectName(QStringLiteral("findAllWordsAction"));
    m_findAllWordsAction->setCheckable(true);
    QMenu *lengths = m_searchMenu->addMenu(QStringLiteral("Длина слов"));
    lengths->setObjectName(QStringLiteral("wordLengthMenu"));
    const QList<WordLengthChoice> &choices = wordLengthChoices();
    for (int i = 0; i < choices.size(); ++i) {
        QAction *action = lengths->addAction(choices[i].caption);
        action->setObjectName(QStringLiteral("wordLengthAction%1").arg(i));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, i] { chooseWordLength(i); });
        m_wordLengthActions.append(action);
    }
    connect(m_findForeignWordsAction, &QAction::toggled, this, [this](bool on) { m_nameSearch.foreignWords = on; });
    connect(m_findAllWordsAction, &QAction::toggled, this, [this](bool on) {
        m_nameSearch.longWords = on;
        applyNameSearchOptions();
    });
}

void BookEditorWindow::buildSpecialLinesMenu()
{
    m_specialLinesMenu = new QMenu(QStringLiteral("Спецстроки"), this);
    m_specialLinesMenu->setObjectName(QStringLiteral("specialLinesMenu"));
    m_specialLinesMenu->addAction(QStringLiteral("---===Спецстроки===---"))->setEnabled(false);
    const QList<std::pair<QString, QString>> entries{
        {QStringLiteral("ВСЕ ЗАГЛАВНЫЕ В СТРОКЕ"), QStringLiteral("$$")},
        {QStringLiteral("Пустая строка"), QStringLiteral("\\")},
        {QStringLiteral("Две пустые строки"), QStringLiteral("\\\\")},
        {QStringLiteral("Три пустые строки (fb2 <section>)"), QStringLiteral("\\\\\\")},
    };
    for (const auto &[caption, identifier] : entries) {
        QAction *action = m_specialLinesMenu->addAction(caption);
        connect(action, &QAction::triggered, this, [this, identifier] { addIdentifier(identifier); });
    }
}

void BookEditorWindow::connectControls()
{
    connect(m_bookTextEdit, &QPlainTextEdit::textChanged, this, &BookEditorWindow::updateDurationEstimate);
    connect(m_bookTextEdit, &QWidget::customContextMenuRequested, this, &BookEditorWindow::showEditMenu);
    connect(m_showFindReplace, &QCheckBox::toggled, this, [this](bool on) {
        m_findFrame->setVisible(on);
        placeTextBesideFindFrame();
        if (on)
            m_findEdit->setFocus();
    });
    connect(m_findEdit, &QLineEdit::textEdited, this, [this] { m_search.restart(); });
    connect(m_findEdit, &QLineEdit::returnPressed, this, &BookEditorWindow::findNext);
    connect(m_findNextButton, &QPushButton::clicked, this, &BookEditorWindow::findNext);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &BookEditorWindow::replaceAll);
    connect(m_undoReplaceButton, &QPushButton::clicked, this, &BookEditorWindow::undoReplace);

    connect(m_openFileButton, &QPushButton::clicked, this, &BookEditorWindow::openFile);
    connect(m_encodingList, &QComboBox::activated, this, &BookEditorWindow::rereadInChosenEncoding);
    connect(m_pasteButton, &QPushButton::clicked, this, &BookEditorWindow::loadFromClipboard);
    connect(m_titleFromSelectionButton, &QPushButton::clicked, this, &BookEditorWindow::titleFromSelection);
    connect(m_saveAsButton, &QPushButton::clicked, this, [this] { saveAs(false); });
    connect(m_titleEdit, &QLineEdit::editingFinished, this, &BookEditorWindow::validateTitle);

    for (QCheckBox *box : {m_splitBySize, m_splitByChapters, m_analyseDialogues})
        connect(box, &QCheckBox::toggled, this, &BookEditorWindow::updateEnabledOptions);
    connect(m_applyDictionaries, &QCheckBox::clicked, this, &BookEditorWindow::dictionaryOptionToggled);
    connect(m_blockDurationSlider, &QSlider::valueChanged, this, &BookEditorWindow::sliderMoved);
    connect(m_maxBlockSizeEdit, &QLineEdit::textChanged, this,
            [this] { m_blockDurationLabel->setText(estimateLabel(options().maxBlockSize(), speakingRate())); });
    connect(m_maxBlockSizeEdit, &QLineEdit::textEdited, this, &BookEditorWindow::sizeEdited);

    connect(m_chapterIdentifierList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        m_identifiers.setOn(m_chapterIdentifierList->row(item), item->checkState() == Qt::Checked);
    });
    connect(m_addIdentifierButton, &QPushButton::clicked, this, &BookEditorWindow::askAndAddIdentifier);
    connect(m_addIdentifierButton, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_specialLinesMenu->popup(m_addIdentifierButton->mapToGlobal(pos)); });
    connect(m_removeIdentifierButton, &QPushButton::clicked, this, &BookEditorWindow::removeIdentifier);
    connect(m_checkAllIdentifiersButton, &QPushButton::clicked, this, [this] { setAllIdentifiers(true); });
    connect(m_uncheckAllIdentifiersButton, &QPushButton::clicked, this, [this] { setAllIdentifiers(false); });

    connect(m_previewChaptersButton, &QPushButton::clicked, this, &BookEditorWindow::previewChapters);
    connect(m_stopPreviewButton, &QPushButton::clicked, this, &BookEditorWindow::stopPreview);
    connect(m_chapterPreviewList, &QTreeWidget::itemClicked, this, &BookEditorWindow::previewRowClicked);

    connect(m_analyseWordsButton, &QPushButton::clicked, this, &BookEditorWindow::analyseWords);
    connect(m_analyseWordsButton, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_searchMenu->popup(m_analyseWordsButton->mapToGlobal(pos)); });
    connect(m_wordAnalysisOptionsButton, &QPushButton::clicked, this, [this] {
        m_searchMenu->popup(m_wordAnalysisOptionsButton->mapToGlobal(QPoint(0, m_wordAnalysisOptionsButton->height())));
    });
    connect(m_dictionariesButton, &QPushButton::clicked, this, [this] { showDictionaryList(); });

    connect(m_addBookButton, &QPushButton::clicked, this, &BookEditorWindow::addBook);
    connect(m_cancelButton, &QPushButton::clicked, this, &BookEditorWindow::close);
}

// ---- options and settings ---------------------------------------------------

AddOptions BookEditorWindow::options() const
{
    AddOptions o;
    o.lastFolder = m_lastFolder;
    o.splitBySize = m_splitBySize->isChecked();
    o.maxBlockSizeText = m_maxBlockSizeEdit->text();
    o.splitByChapters = m_splitByChapters->isChecked();
    o.paragraphWithoutIndent = m_paragraphWithoutIndent->isChecked();
    o.dialogueStartsWithQuotes = m_dialogueStartsWithQuotes->isChecked();
    o.removeHyphens = m_removeHyphens->isChecked();
    o.applyDictionaries = m_applyDictionaries->isChecked();
    o.analyseDialogues = m_analyseDialogues->isChecked();
    o.twoVoiceDialogue = m_twoVoiceDialogue->isChecked();
    o.fixYears = m_spellOutYears->isChecked();
    return o;
}

void BookEditorWindow::applyOptions(const AddOptions &o)
{
    m_lastFolder = o.lastFolder;
    m_splitBySize->setChecked(o.splitBySize);
    m_maxBlockSizeEdit->setText(o.maxBlockSizeText);
    m_splitByChapters->setChecked(o.splitByChapters);
    m_paragraphWithoutIndent->setChecked(o.paragraphWithoutIndent);
    m_dialogueStartsWithQuotes->setChecked(o.dialogueStartsWithQuotes);
    m_removeHyphens->setChecked(o.removeHyphens);
    m_applyDictionaries->setChecked(o.applyDictionaries);
    m_analyseDialogues->setChecked(o.analyseDialogues);
    m_twoVoiceDialogue->setChecked(o.twoVoiceDialogue);
    m_spellOutYears->setChecked(o.fixYears);
    const QSignalBlocker block(m_blockDurationSlider);
    m_blockDurationSlider->setValue(sliderPositionForSize(o.maxBlockSize(), speakingRate()));
}

void BookEditorWindow::applyNameSearchOptions()
{
    m_findForeignWordsAction->setChecked(m_nameSearch.foreignWords);
    m_findAllWordsAction->setChecked(m_nameSearch.longWords);
    const int chosen = wordLengthChoiceIndex(m_nameSearch);
    for (int i = 0; i < m_wordLengthActions.size(); ++i)
        m_wordLengthActions[i]->setChecked(i == chosen);
}

void BookEditorWindow::loadEditorSettings()
{
    AddOptions o = options();
    loadAddOptions(o, iniPath());
    applyOptions(o);
    loadNameSearchOptions(m_nameSearch, iniPath());
    applyNameSearchOptions();
    const QString placement = readIni(QStringLiteral("Окна"), kPlacementKey, iniPath()).value_or(QString());
    if (placement.isEmpty())
        placeInScreenCentre();
    applyWindowPlacement(this, placement);
    if (const auto entries = loadChapterIdentifiers(m_programFolder)) {
        m_identifiers = ChapterIdentifierList(*entries);
        fillIdentifierList();
    }
}

void BookEditorWindow::saveEditorSettings()
{
    saveAddOptions(options(), iniPath());
    saveNameSearchOptions(m_nameSearch, iniPath());
    writeIni(QStringLiteral("Окна"), kPlacementKey, windowPlacement(this), iniPath());
    saveChapterIdentifiers(m_programFolder, m_identifiers.entries());
}

void BookEditorWindow::updateEnabledOptions()
{
    const bool dialogues = m_analyseDialogues->isChecked();
    for (QCheckBox *box : {m_twoVoiceDialogue, m_paragraphWithoutIndent, m_dialogueStartsWithQuotes})
        box->setEnabled(dialogues);
    const bool chapters = m_splitByChapters->isChecked();
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_chapterIdentifierList, m_addIdentifierButton, m_removeIdentifierButton,
                                          m_checkAllIdentifiersButton, m_uncheckAllIdentifiersButton})
        w->setEnabled(chapters);
    const bool bySize = m_splitBySize->isChecked();
    m_maxBlockSizeEdit->setEnabled(bySize);
    m_blockDurationSlider->setEnabled(bySize);
}

// ---- window -----------------------------------------------------------------

void BookEditorWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!m_scaleTimer->isActive())
        m_scaleTimer->start();
}

void BookEditorWindow::scaleNow()
{
    m_scaleTimer->stop();
    m_scaler.scale();
    placeTextBesideFindFrame();
}

// The first time the editor opens it stands in the middle of the screen.
void BookEditorWindow::placeInScreenCentre()
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
void BookEditorWindow::placeTextBesideFindFrame()
{
    const QRect frame = m_findFrame->geometry();
    const int bottom = m_findFrame->isVisible() ? frame.top() - 4 : frame.bottom();
    m_bookTextEdit->setGeometry(m_bookTextEdit->x(), m_bookTextEdit->y(), m_bookTextEdit->width(),
                                std::max(1, bottom - m_bookTextEdit->y() + 1));
}

void BookEditorWindow::closeEvent(QCloseEvent *event)
{
    if (m_adding) {
        event->ignore();
        return;
    }
    if (m_previewRunning) {
        // The preview lets events run between its rows; it ends first.
        m_previewStop = true;
        event->ignore();
        QTimer::singleShot(0, this, &BookEditorWindow::close);
        return;
    }
    // A dictionary editor opened from here goes with the editor; it may
    // still ask to save its changes.
    for (DictionaryEditorWindow *editor : findChildren<DictionaryEditorWindow *>()) {
        if (!editor->close()) {
            event->ignore();
            return;
        }
    }
    writeIni(QStringLiteral("Окна"), kPlacementKey, windowPlacement(this), iniPath());
    if (!m_closing) {
        m_closing = true;
        QFile::remove(ProgramFolder(m_programFolder).file(QStringLiteral("book.tmp")));
        emit closed();
    }
    QMainWindow::closeEvent(event);
}
