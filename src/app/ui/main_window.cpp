#include "app/ui/main_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "common/ui/named_control.h"

#include "app/block_range.h"
#include "app/book_file_filter.h"
#include "app/library.h"
#include "app/session/recording_session.h"
#include "app/ui/chapter_picker.h"
#include "app/ui/library_entry_delegate.h"
#include "app/ui/main_toolbar.h"
#include "app/ui/tray_control.h"
#include "audiobook/book_state.h"
#include "common/program_folder.h"
#include "common/ui/message_box_dialogs.h"
#include "common/ui/window_placement_ui.h"
#include "common/ui/window_teardown.h"
#include "common/window_placement.h"
#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/dictionary_windows.h"
#include "import/editor_estimate.h"
#include "import/name_search_options.h"
#include "import/ui/book_editor_window.h"
#include "options/default_output_folder.h"
#include "options/ui/about_box.h"
#include "options/ui/options_dialog.h"
#include "reader/ui/reader_window.h"
#include "recording/block_text.h"
#include "recording/book_export.h"
#include "recording/speech/speech_output_rate.h"
#include "recording/speech/voice_table.h"
#include "recording/speech_program.h"
#include "recording/speech_trial_voice.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {

// Design size of the window: 8070 x 3345 twips; a window that does not scale
// keeps 8070 x 3405.
constexpr int kDesignWidth = 8070 / kTwipsPerPixel;
constexpr int kDesignHeight = 3345 / kTwipsPerPixel;
constexpr int kFixedHeight = 3405 / kTwipsPerPixel;
// The controls' own area below the toolbar and above the status bar.
constexpr int kCentralWidth = kDesignWidth;
constexpr int kCentralHeight = 160;

const QString kTitle = QStringLiteral("Lectorium");

} // namespace

MainWindow::MainWindow(const QString &programFolder, const QString &bookArgument, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("MainWindow"));
    installHelpKey(this, HelpAnchor::library);
    m_ownDialogs = std::make_unique<MessageBoxDialogs>(this);
    m_dialogs = m_ownDialogs.get();
    buildControls();
    buildStatusBar();
    connectToolbar();
    loadOnStart(bookArgument);
}

MainWindow::~MainWindow()
{
    delete m_bookEditor;
    disconnectChildrenFrom(this);
}

void MainWindow::setDialogs(UserDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
}

QString MainWindow::currentBook() const
{
    const QListWidgetItem *item = m_libraryList->currentItem();
    return item ? item->text() : QString();
}

// ---- building -------------------------------------------------------------

void MainWindow::buildControls()
{
    m_toolbar = new MainToolbar(this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("central"));
    setCentralWidget(m_central);
    // The controls are laid out for a compact 8-point face.
    QFont compact = m_central->font();
    compact.setPointSizeF(8);
    m_central->setFont(compact);

    m_libraryList = named(new QListWidget(m_central), "chapterList", QStringLiteral("Библиотека"));
    m_libraryList->setGeometry(4, 4, 232, 122);
    m_libraryList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_libraryList->setItemDelegate(new LibraryEntryDelegate(m_libraryList));
    m_libraryList->setUniformItemSizes(true);
    m_emptyLibraryHint = named(new QLabel(QStringLiteral("Библиотека пуста. Откройте книгу кнопкой "
                                                         "«Добавить книгу в библиотеку» (первая на панели) "
                                                         "или перетащите файл книги сюда."),
                                          m_libraryList->viewport()),
                               "emptyLibraryHint");
    m_emptyLibraryHint->setWordWrap(true);
    m_emptyLibraryHint->setAlignment(Qt::AlignCenter);
    m_emptyLibraryHint->setEnabled(false);
    m_emptyLibraryHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    (new QVBoxLayout(m_libraryList->viewport()))->addWidget(m_emptyLibraryHint);
    m_emptyLibraryHint->hide();
    m_batchList = named(new QListWidget(m_central), "batchList");
    m_batchList->setGeometry(4, 4, 232, 122);
    m_batchList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_batchList->hide();
    for (QListWidget *list : {m_libraryList, m_batchList}) {
        list->setAcceptDrops(true);
        list->viewport()->setAcceptDrops(true);
        list->viewport()->installEventFilter(this);
    }

    m_moveBookUpButton = named(new QPushButton(QStringLiteral("▲"), m_central), "moveBookUpButton",
                               QStringLiteral("Переместить книгу вверх"));
    m_moveBookUpButton->setGeometry(240, 4, 24, 24);
    m_moveBookDownButton = named(new QPushButton(QStringLiteral("▼"), m_central), "moveBookDownButton",
                                 QStringLiteral("Переместить книгу вниз"));
    m_moveBookDownButton->setGeometry(240, 30, 24, 24);

    m_batchFrame = named(new QFrame(m_central), "batchFrame");
    m_batchFrame->setGeometry(4, 128, 264, 30);
    m_batchProcessing = named(new QCheckBox(QStringLiteral("Пакетная обработка"), m_batchFrame), "batchProcessing",
                              QStringLiteral("Включить пакетную обработку (запись нескольких книг в очереди)"));
    m_batchProcessing->setGeometry(0, 4, 142, 22);
    m_selectAllBatchButton = named(new QPushButton(QStringLiteral("Все"), m_batchFrame), "selectAllBatchButton",
                                   QStringLiteral("Выделить все книги для пакетной обработки"));
    m_selectAllBatchButton->setGeometry(142, 3, 34, 24);
    m_clearBatchSelectionButton =
        named(new QPushButton(QStringLiteral("Снять все"), m_batchFrame), "clearBatchSelectionButton",
              QStringLiteral("Снять выделение со всех книг пакетной обработки"));
    m_clearBatchSelectionButton->setGeometry(178, 3, 86, 24);
    m_selectAllBatchButton->setEnabled(false);
    m_clearBatchSelectionButton->setEnabled(false);

    m_rangeFrame = named(new QFrame(m_central), "rangeFrame");
    m_rangeFrame->setGeometry(270, 4, 264, 56);
    named(new QLabel(QStringLiteral("Читать блоки с"), m_rangeFrame), "firstBlockCaptionLabel")
        ->setGeometry(2, 6, 88, 20);
    m_firstBlockEdit =
        named(new QLineEdit(m_rangeFrame), "firstBlockEdit", QStringLiteral("Номер блока, с которого начинать чтение"));
    m_firstBlockEdit->setGeometry(90, 4, 48, 22);
    m_firstChapterButton = named(new QPushButton(QStringLiteral("..."), m_rangeFrame), "firstChapterButton",
                                 QStringLiteral("Выбор главы..."));
    m_firstChapterButton->setGeometry(140, 4, 22, 22);
    named(new QLabel(QStringLiteral("по"), m_rangeFrame), "lastBlockCaptionLabel")->setGeometry(166, 6, 18, 20);
    m_lastBlockEdit = named(new QLineEdit(m_rangeFrame), "lastBlockEdit",
                            QStringLiteral("Номер блока, после которого чтение будет остановлено"));
    m_lastBlockEdit->setGeometry(186, 4, 48, 22);
    m_lastChapterButton = named(new QPushButton(QStringLiteral("..."), m_rangeFrame), "lastChapterButton",
                                QStringLiteral("Выбор главы..."));
    m_lastChapterButton->setGeometry(236, 4, 22, 22);
    named(new QLabel(QStringLiteral("Блоков в книге:"), m_rangeFrame), "blockCountCaptionLabel")
        ->setGeometry(2, 32, 100, 20);
    m_blockCountLabel = named(new QLabel(m_rangeFrame), "blockCountLabel", QStringLiteral("Общее количество блоков"));
    m_blockCountLabel->setGeometry(104, 32, 80, 20);
    for (QPushButton *b : {m_firstChapterButton, m_lastChapterButton})
        b->setContextMenuPolicy(Qt::CustomContextMenu);

    m_afterFinishBox = named(new QGroupBox(QStringLiteral("По окончании "), m_central), "afterFinishBox");
    m_afterFinishBox->setGeometry(270, 62, 264, 50);
    m_afterFinishChoice = named(new QComboBox(m_afterFinishBox), "afterFinishChoice");
    m_afterFinishChoice->setGeometry(8, 20, 248, 24);

    m_bookProgressBar = named(new QProgressBar(m_central), "bookProgressBar");
    m_bookProgressBar->setGeometry(270, 116, 264, 16);
    m_bookProgressBar->setTextVisible(false);
    m_blockProgressBar = named(new QProgressBar(m_central), "blockProgressBar");
    m_blockProgressBar->setGeometry(270, 136, 264, 10);
    m_blockProgressBar->setTextVisible(false);

    const char *debugNames[] = {"firstDebugLabel", "secondDebugLabel", "thirdDebugLabel"};
    for (int i = 0; i < 3; ++i) {
        auto *label = named(new QLabel(m_central), debugNames[i]);
        label->setGeometry(270 + i * 88, 148, 86, 12);
        label->hide();
        m_debugLabels.append(label);
    }

    m_libraryMenu = new QMenu(QStringLiteral("Книга"), this);
    m_libraryMenu->setObjectName(QStringLiteral("libraryMenu"));
    m_libraryMenu->addAction(QStringLiteral("Открыть папку с аудиофайлами"), this, &MainWindow::openAudioFolder)
        ->setObjectName(QStringLiteral("openAudioFolderAction"));
    m_toolbarHelpMenu = new QMenu(QStringLiteral("Toolbar"), this);
    m_toolbarHelpMenu->setObjectName(QStringLiteral("toolbarHelpMenu"));
    m_toolbarHelpMenu->addAction(QStringLiteral("Что это такое?"), this, [] { QWhatsThis::enterWhatsThisMode(); })
        ->setObjectName(QStringLiteral("whatsThisAction"));

    m_scaleTimer = scaleTimer(this, [this] { scaleNow(); });

    m_tray = new TrayControl(this);
    m_chapterPicker = new ChapterPicker(this);

    connect(m_libraryList, &QListWidget::currentRowChanged, this, &MainWindow::onLibraryRowChanged);
    connect(m_libraryList, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (m_libraryList->count() > 0)
            m_libraryMenu->popup(m_libraryList->mapToGlobal(pos));
    });
    connect(m_batchList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_libraryList->setCurrentRow(m_batchList->row(item)); });
    connect(m_batchProcessing, &QCheckBox::toggled, this, &MainWindow::setBatchMode);
    connect(m_selectAllBatchButton, &QPushButton::clicked, m_batchList, &QListWidget::selectAll);
    connect(m_clearBatchSelectionButton, &QPushButton::clicked, m_batchList, &QListWidget::clearSelection);
    connect(m_moveBookUpButton, &QPushButton::clicked, this, [this] { moveEntry(-1); });
    connect(m_moveBookDownButton, &QPushButton::clicked, this, [this] { moveEntry(1); });
    connect(m_firstBlockEdit, &QLineEdit::editingFinished, this, [this] { validateRange(true); });
    connect(m_lastBlockEdit, &QLineEdit::editingFinished, this, [this] { validateRange(false); });
    connect(m_firstChapterButton, &QPushButton::clicked, this, [this] { chooseChapter(true); });
    connect(m_lastChapterButton, &QPushButton::clicked, this, [this] { chooseChapter(false); });
    connect(m_firstChapterButton, &QWidget::customContextMenuRequested, this, [this] { resetRangeEnd(true); });
    connect(m_lastChapterButton, &QWidget::customContextMenuRequested, this, [this] { resetRangeEnd(false); });
    connect(m_chapterPicker, &ChapterPicker::chosen, this, [this](int block) {
        QLineEdit *box = m_pickingFirstBlock ? m_firstBlockEdit : m_lastBlockEdit;
        box->setText(QString::number(block));
        validateRange(m_pickingFirstBlock);
    });
    connect(m_afterFinishChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_afterFinish = AfterFinish(index);
        if (m_session)
            m_session->job().afterFinish = m_afterFinish;
    });
    connect(m_tray, &TrayControl::clicked, this, &MainWindow::trayClicked);
    connect(m_tray, &TrayControl::restoreRequested, this, &MainWindow::restoreFromTray);
    connect(m_tray, &TrayControl::exitRequested, this, &QWidget::close);
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    const QString tips[] = {QStringLiteral("Статус"), QString(), QStringLiteral("Время, прошедшее с начала записи"),
                            QStringLiteral("Приблизительное время до завершения"),
                            QStringLiteral("Процент выполнения")};
    // The times and the percentage keep the room their longest text needs.
    // The activity keeps at least the room of its usual texts (a block of a
    // long book, the wait for the encoder) and is as wide as its text where
    // the window allows; the encoder panel gets what is left, however long
    // its list of files (its tooltip holds them whole).
    const QStringList longest[] = {
        {QStringLiteral("Блок 1000 (1000/1000)"), QStringLiteral("Ожидание LAME")},
        {},
        {QStringLiteral("Прошло: 00:00:00 ")},
        {QStringLiteral("Осталось: 00:00:00 ")},
        {QStringLiteral("100.00%")},
    };
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("statusPanel%1").arg(i + 1));
        panel->setToolTip(tips[i]);
        panel->setProperty("roleTip", tips[i]);
        int room = 1;
        for (const QString &text : longest[i])
            room = std::max(room, panel->fontMetrics().horizontalAdvance(text) + 6);
        panel->setMinimumWidth(room);
        const bool encoder = StatusPanel(i + 1) == StatusPanel::Encoder;
        if (encoder)
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar->addWidget(panel, encoder ? 1 : 0);
        m_panels.append(panel);
    }
}

void MainWindow::exportBook()
{
    const QString book = currentBook();
    if (book.isEmpty())
        return;
    QFileDialog dialog(this, QStringLiteral("Экспорт"), m_settings.exportFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(exportFileFilters().split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter == dialog.nameFilters().value(1) ? QStringLiteral("xml")
                                                                        : QStringLiteral("txt"));
    });
    dialog.selectFile(book);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const bool xml = dialog.selectedNameFilter() == dialog.nameFilters().value(1);
    ::exportBook(m_programFolder, book, dialog.selectedFiles().first(), xml ? ExportFormat::Xml : ExportFormat::Text,
                 m_settings, *m_dialogs);
}

void MainWindow::connectToolbar()
{
    connectBookEditorCommands();
    connect(m_toolbar->button(ToolbarButton::Record), &QAction::triggered, this, &MainWindow::startOrPause);
    connect(m_toolbar->menuItem(ToolbarButton::Record, 1), &QAction::triggered, this, &MainWindow::startOrPause);
    connect(m_toolbar->menuItem(ToolbarButton::Record, 2), &QAction::triggered, this, &MainWindow::reloadDictionaries);
    connect(m_toolbar->button(ToolbarButton::Stop), &QAction::triggered, this, &MainWindow::stopRecording);
    connect(m_toolbar->button(ToolbarButton::ReadAloud), &QAction::triggered, this, [this] {
        ReaderWindow *reader = ReaderWindow::open(this, m_programFolder, libraryBooks(), currentBook(), m_settings);
        connect(reader, &ReaderWindow::rerecordRequested, this, &MainWindow::rerecordBlocks, Qt::UniqueConnection);
    });
    connect(m_toolbar->button(ToolbarButton::Options), &QAction::triggered, this, &MainWindow::openOptions);

    auto openEditor = [this] { openDictionaryEditor(this, m_programFolder, *m_dialogs, m_trialVoice.get()); };
    connect(m_toolbar->button(ToolbarButton::Dictionaries), &QAction::triggered, this, openEditor);
    connect(m_toolbar->menuItem(ToolbarButton::Dictionaries, 1), &QAction::triggered, this, openEditor);
    connect(m_toolbar->menuItem(ToolbarButton::Dictionaries, 2), &QAction::triggered, this, [this] {
        // In batch mode every ticked book is analysed, otherwise the selected one.
        QStringList books;
        if (m_batchProcessing->isChecked()) {
            for (int i = 0; i < m_batchList->count(); ++i)
                if (m_batchList->item(i)->isSelected())
                    books.append(m_batchList->item(i)->text());
        } else if (!currentBook().isEmpty()) {
            books.append(currentBook());
        }
        if (books.isEmpty())
            return;
        // The book editor's word-search options, as it stores them.
        NameSearchOptions options;
        loadNameSearchOptions(options, ProgramFolder(m_programFolder).settingsFile());
        openDictionaryEditor(this, m_programFolder, *m_dialogs, m_trialVoice.get())
            ->findNamesInBook(bookTextAn(m_programFolder, books), finderOptions(options));
    });
    connect(m_toolbar->menuItem(ToolbarButton::Dictionaries, 3), &QAction::triggered, this,
            [this] { showDictionaryList(this, m_programFolder, *m_dialogs); });

    connect(m_toolbar->button(ToolbarButton::DeleteBook), &QAction::triggered, this, &MainWindow::deleteBook);
    connect(m_toolbar->menuItem(ToolbarButton::DeleteBook, 1), &QAction::triggered, this, &MainWindow::deleteBook);
    connect(m_toolbar->menuItem(ToolbarButton::DeleteBook, 2), &QAction::triggered, this, &MainWindow::clearLibrary);
    connect(m_toolbar->button(ToolbarButton::Help), &QAction::triggered, this, &MainWindow::readMe);
    connect(m_toolbar->menuItem(ToolbarButton::Help, 1), &QAction::triggered, this, &MainWindow::readMe);
    connect(m_toolbar->menuItem(ToolbarButton::Help, 2), &QAction::triggered, this, [this] {
        AboutBox box(m_programFolder, this);
        box.exec();
    });
    connect(m_toolbar->button(ToolbarButton::AudioFolder), &QAction::triggered, this, &MainWindow::openAudioFolder);
    connect(m_toolbar->button(ToolbarButton::ExportBook), &QAction::triggered, this, &MainWindow::exportBook);
    connect(m_toolbar, &MainToolbar::helpMenuRequested, this,
            [this](const QPoint &pos) { m_toolbarHelpMenu->popup(pos); });
}

// ---- start-up ---------------------------------------------------------------

void MainWindow::loadOnStart(const QString &bookArgument)
{
    resize(kDesignWidth, kDesignHeight);
    m_central->resize(kCentralWidth, kCentralHeight);
    m_scaler.record(m_central);
    QDir().mkpath(projectsRoot(m_programFolder));
    setWindowTitle(kTitle);
    reloadLibrary();
    ::loadSettings(m_settings, ProgramFolder(m_programFolder).settingsFile());
    applyLoadedSettings();
    loadVoiceTable(m_programFolder);
    m_trialVoice = std::make_unique<SpeechTrialVoice>(m_settings);
    m_session = std::make_unique<RecordingSession>(m_settings, m_programFolder, static_cast<RecordingJobHost &>(*this));
    if (m_settings.highPriority)
        setProgramPriority(m_settings, m_speechProgram);
    m_toolbar->setButtonEnabled(ToolbarButton::Stop, false);
    m_afterFinishChoice->addItems({QStringLiteral("Ничего не делать"), QStringLiteral("Показать сообщение"),
                                   QStringLiteral("Выйти из программы"), QStringLiteral("Выключить компьютер")});
    m_afterFinishChoice->setCurrentIndex(int(m_settings.afterFinish));
    if (m_settings.firstStart)
        QTimer::singleShot(0, this, &MainWindow::showFirstStartMessage);
    showTrayIconIfWanted();
    const QString book = openableBookFile(bookArgument);
    if (!book.isEmpty())
        openDroppedBook(book);
    updateDebugLabels();
}

// The same estimate as the book editor's and lectorium-cli's: the learnt
// coefficient at the byte rate of the voice's files. The library is filled
// before the settings are read, so both call this.
void MainWindow::showBookEstimate()
{
    if (m_blockCount == 0)
        return;
    const SpeakingRate rate{m_settings.coefficient1, speechBytesPerSecond()};
    m_blockCountLabel->setToolTip(QStringLiteral("Общее количество блоков; вся книга ")
                                  + estimateLabel(m_bookCharacters, rate));
}

void MainWindow::applyLoadedSettings()
{
    showBookEstimate();
    m_settings.outputFolder = outputFolderOrDefault(m_settings.outputFolder);
    showBookStates();
    if (m_settings.bookIndex < m_libraryList->count())
        m_libraryList->setCurrentRow(m_settings.bookIndex);
    if (m_settings.batchMode > 0)
        m_batchProcessing->setChecked(true);
    applyWindowPlacement(this, m_settings.mainPlacement);
}

void MainWindow::showFirstStartMessage()
{
    m_dialogs->show({kTitle, QStringLiteral("Выберите голосовой движок и укажите каталог\nдля готовых аудиофайлов..."),
                     DialogIcon::Information, DialogButtons::Ok});
    openOptions();
    m_options->showOutputFolderPage();
    m_settings.firstStart = false;
}

void MainWindow::updateDebugLabels()
{
    const bool debug = QFileInfo(m_programFolder + QStringLiteral("/debug")).isDir();
    for (QLabel *label : m_debugLabels)
        label->setVisible(debug);
}

void MainWindow::showTrayIconIfWanted()
{
    if (m_settings.alwaysTrayIcon)
        m_tray->showIcon(kTitle);
}

// ---- library ----------------------------------------------------------------

void MainWindow::reloadLibrary()
{
    const QSignalBlocker block(m_libraryList);
    m_libraryList->clear();
    m_libraryList->addItems(::loadList(m_programFolder));
    showBookStates();
    m_emptyLibraryHint->setVisible(m_libraryList->count() == 0);
    if (m_libraryList->count() == 0) {
        disableControlsWhileSpeaking();
        m_libraryList->setToolTip(QStringLiteral("Библиотека (нет книг)"));
        setWindowTitle(kTitle);
        m_blockCount = 0;
        m_blockCountLabel->clear();
        m_firstBlockEdit->clear();
        m_lastBlockEdit->clear();
        m_tagInfo = TagInfo();
        m_blockTitles = BlockTitles();
        m_toolbar->setButtonsEnabled({ToolbarButton::AddBook, ToolbarButton::Options, ToolbarButton::Dictionaries},
                                     true);
        m_toolbar->setButtonsEnabled({ToolbarButton::Stop, ToolbarButton::ReadAloud}, false);
        return;
    }
    enableControlsAfterSpeaking();
    m_libraryList->setToolTip(QStringLiteral("Библиотека"));
    m_toolbar->setButtonEnabled(ToolbarButton::Stop, false);
    m_libraryList->setCurrentRow(0);
    loadBook();
}

void MainWindow::onLibraryRowChanged(int row)
{
    if (row >= 0)
        loadBook();
}

void MainWindow::loadBook()
{
    const QString book = currentBook();
    if (book.isEmpty())
        return;
    const QString folder = bookFolder(m_programFolder, book);
    m_blockCount = countBlocks(folder);
    m_blockCountLabel->setText(QString::number(m_blockCount));
    m_bookCharacters = bookRawLength(folder);
    showBookEstimate();
    m_range = readRange(folder, m_blockCount);
    showRange();
    setWindowTitle(kTitle + QStringLiteral(" - ") + book);
    loadChapters(folder, book, m_blockCount, m_tagInfo, m_blockTitles);
}

bool MainWindow::selectBook(const QString &book)
{
    const int index = ::findBook(libraryBooks(), book);
    if (index < 0)
        return false;
    m_libraryList->setCurrentRow(index);
    if (m_batchProcessing->isChecked())
        m_batchList->setCurrentRow(index, QItemSelectionModel::NoUpdate);
    return true;
}

void MainWindow::showRange()
{
    m_firstBlockEdit->setText(QString::number(m_range.first));
    m_lastBlockEdit->setText(QString::number(m_range.last));
}

void MainWindow::validateRange(bool first)
{
    if (m_validating || m_blockCount == 0)
        return;
    const QString text = (first ? m_firstBlockEdit : m_lastBlockEdit)->text();
    const auto accepted =
        first ? acceptFirstBlock(text, m_range, m_blockCount) : acceptLastBlock(text, m_range, m_blockCount);
    if (accepted) {
        acceptRange(*accepted);
        return;
    }
    m_validating = true;
    m_dialogs->show({QStringLiteral("Неправильный номер блока!"), badBlockNumberMessage(m_blockCount),
                     DialogIcon::Critical, DialogButtons::Ok});
    showRange();
    m_validating = false;
}

void MainWindow::acceptRange(const BlockRange &range)
{
    m_range = range;
    showRange();
    writeRange(bookFolder(m_programFolder, currentBook()), m_range);
}

void MainWindow::chooseChapter(bool first)
{
    if (m_blockCount == 0)
        return;
    m_pickingFirstBlock = first;
    m_chapterPicker->showChapters(m_blockTitles.all(), first ? m_firstChapterButton : m_lastChapterButton);
}

void MainWindow::resetRangeEnd(bool first)
{
    if (m_blockCount == 0)
        return;
    (first ? m_firstBlockEdit : m_lastBlockEdit)->setText(first ? QStringLiteral("1") : QString::number(m_blockCount));
    validateRange(first);
}

void MainWindow::deleteBook()
{
    const QString book = currentBook();
    if (book.isEmpty())
        return;
    if (!::deleteBook(m_programFolder, book, *m_dialogs))
        return;
    reloadLibrary();
    refreshBatchMode();
}

QStringList MainWindow::libraryBooks() const
{
    QStringList books;
    for (int i = 0; i < m_libraryList->count(); ++i)
        books.append(m_libraryList->item(i)->text());
    return books;
}

void MainWindow::clearLibrary()
{
    if (!::clearLibrary(m_programFolder, libraryBooks(), *m_dialogs))
        return;
    reloadLibrary();
    refreshBatchMode();
}

void MainWindow::openAudioFolder()
{
    const QString output = m_settings.outputFolder;
    const QString bookOutput = output + u'/' + currentBook();
    const bool bookHasFolder = !currentBook().isEmpty() && QFileInfo(bookOutput).isDir();
    QDesktopServices::openUrl(QUrl::fromLocalFile(bookHasFolder ? bookOutput : output));
}

void MainWindow::readMe()
{
    if (!openUserGuide())
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_programFolder + QStringLiteral("/Doc/readme.htm")));
}

void MainWindow::openDroppedBook(const QString &path)
{
    // Adding a book reloads the library, which a running recording reads
    // its book from; toolbar button 1 is off while recording for the same
    // reason.
    if (isRecording())
        return;
    openBookEditor()->openGivenFile(path);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool onList = watched == m_libraryList->viewport() || watched == m_batchList->viewport();
    if (onList && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
        auto *drag = static_cast<QDropEvent *>(event);
        if (drag->mimeData()->hasUrls())
            drag->acceptProposedAction();
        return true;
    }
    if (onList && event->type() == QEvent::Drop) {
        const auto *drop = static_cast<QDropEvent *>(event);
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (!urls.isEmpty() && urls.first().isLocalFile()) {
            const QString book = openableBookFile(urls.first().toLocalFile());
            if (!book.isEmpty())
                openDroppedBook(book);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- batch queue ---------------------------------------------------------------

void MainWindow::setBatchMode(bool on)
{
    if (!on) {
        // The ticks are kept in the file, so switching back on finds them.
        if (m_batchFilled)
            saveBatch(batchFilePath(m_programFolder), batchEntries());
        m_batchList->hide();
        m_libraryList->show();
        m_selectAllBatchButton->setEnabled(false);
        m_clearBatchSelectionButton->setEnabled(false);
        return;
    }
    const int remembered = m_libraryList->currentRow();
    m_batchList->clear();
    m_libraryList->hide();
    m_batchList->show();
    m_selectAllBatchButton->setEnabled(true);
    m_clearBatchSelectionButton->setEnabled(true);
    const BatchEntries entries = loadBatch(batchFilePath(m_programFolder), libraryBooks());
    for (const NameFlag &entry : entries) {
        auto *item = new QListWidgetItem(entry.name, m_batchList);
        item->setSelected(entry.flag);
    }
    m_batchFilled = true;
    if (remembered >= 0)
        m_batchList->setCurrentRow(remembered, QItemSelectionModel::NoUpdate);
}

void MainWindow::refreshBatchMode()
{
    // The batch list is rebuilt from the library; the ticks go through the
    // file so that none is lost on the way.
    if (m_batchFilled)
        saveBatch(batchFilePath(m_programFolder), batchEntries());
    setBatchMode(m_batchProcessing->isChecked());
}

BatchEntries MainWindow::batchEntries() const
{
    BatchEntries entries;
    for (int i = 0; i < m_batchList->count(); ++i)
        entries.append({m_batchList->item(i)->text(), m_batchList->item(i)->isSelected()});
    return entries;
}

void MainWindow::moveEntry(int delta)
{
    const int row = m_libraryList->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_libraryList->count())
        return;
    {
        const QSignalBlocker block(m_libraryList);
        m_libraryList->insertItem(target, m_libraryList->takeItem(row));
        m_libraryList->setCurrentRow(target);
    }
    if (m_batchProcessing->isChecked() && row < m_batchList->count() && target < m_batchList->count()) {
        QListWidgetItem *item = m_batchList->takeItem(row);
        const bool selected = item->isSelected();
        m_batchList->insertItem(target, item);
        item->setSelected(selected);
        m_batchList->setCurrentRow(target, QItemSelectionModel::NoUpdate);
    }
}

// ---- recording state of the controls ----------------------------------------

void MainWindow::disableControlsWhileSpeaking()
{
    using B = ToolbarButton;
    m_toolbar->setButtonsEnabled({B::AddBook, B::DeleteBook, B::ExportBook, B::Record, B::Dictionaries}, false);
    m_toolbar->setButtonsEnabled({B::Stop, B::ReadAloud, B::Options}, true);
    m_rangeFrame->setEnabled(false);
    m_batchFrame->setEnabled(false);
}

void MainWindow::enableControlsAfterSpeaking()
{
    using B = ToolbarButton;
    m_toolbar->setButtonsEnabled(
        {B::AddBook, B::DeleteBook, B::ExportBook, B::Record, B::ReadAloud, B::Options, B::Dictionaries, B::Help},
        true);
    m_toolbar->setButtonEnabled(B::Stop, false);
    m_rangeFrame->setEnabled(true);
    m_batchFrame->setEnabled(true);
}

// ---- settings and exit ------------------------------------------------------------

void MainWindow::saveSettings()
{
    if (m_batchFilled)
        saveBatch(batchFilePath(m_programFolder), batchEntries());
    m_settings.bookIndex = m_libraryList->currentRow();
    m_settings.afterFinish = m_afterFinish;
    m_settings.batchMode = m_batchProcessing->isChecked();
    m_settings.mainPlacement = windowPlacement(this);
    ::saveSettings(m_settings, ProgramFolder(m_programFolder).settingsFile());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (isRecording()) {
        event->ignore();
        closeWhileRecording();
        return;
    }
    saveSettings();
    m_tray->removeIcon();
    event->accept();
}

// ---- scaling and tray ---------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isEnabled())
        return;
    if (!m_settings.scaleInterface) {
        if (isMaximized())
            showNormal();
        if (!isMinimized() && !isMaximized() && size() != QSize(kDesignWidth, kFixedHeight))
            resize(kDesignWidth, kFixedHeight);
    }
    if (!m_scaleTimer->isActive())
        m_scaleTimer->start();
}

void MainWindow::scaleNow()
{
    m_scaleTimer->stop();
    m_scaler.scale();
    if (m_settings.scaleToolbar) {
        const double factor = double(width()) / kDesignWidth * 0.71 + double(height()) / kDesignHeight * 0.29;
        m_toolbar->scaleImages(factor);
    }
    if (windowState() == Qt::WindowNoState && screen()) {
        const QRect area = screen()->availableGeometry();
        const QRect g = geometry();
        const ScreenRect kept =
            keepOnScreen({double(g.x() - area.x()) * kTwipsPerPixel, double(g.y() - area.y()) * kTwipsPerPixel,
                          double(g.width()) * kTwipsPerPixel, double(g.height()) * kTwipsPerPixel},
                         double(area.width()) * kTwipsPerPixel, double(area.height()) * kTwipsPerPixel);
        const QRect target(area.x() + int(kept.left / kTwipsPerPixel), area.y() + int(kept.top / kTwipsPerPixel),
                           int(kept.width / kTwipsPerPixel), int(kept.height / kTwipsPerPixel));
        if (target != g)
            setGeometry(target);
    }
    if (windowState() != m_rememberedState) {
        m_rememberedState = windowState();
        scaleNow();
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized() && m_settings.minimizeToTray) {
        m_tray->showIcon(kTitle);
        QTimer::singleShot(0, this, &QWidget::hide);
    }
    if (!m_scaleTimer->isActive())
        m_scaleTimer->start();
}

void MainWindow::trayClicked()
{
    if (isVisible() && windowState() == Qt::WindowNoState) {
        showMinimized();
        hide();
        return;
    }
    restoreFromTray();
}

void MainWindow::restoreFromTray()
{
    showNormal();
    raise();
    activateWindow();
    if (!m_settings.alwaysTrayIcon)
        m_tray->removeIcon();
}

void MainWindow::activateFromAnotherStart()
{
    if (isMinimized() || !isVisible())
        showNormal();
    raise();
    activateWindow();
}
