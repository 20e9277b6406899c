#include "form1.h"

#include "common/ui/named_control.h"

#include "app/block_range.h"
#include "app/book_file_filter.h"
#include "app/library.h"
#include "app/ui/form5.h"
#include "app/ui/main_toolbar.h"
#include "app/ui/message_box_dialogs.h"
#include "app/ui/tray_control.h"
#include "app/ui/window_placement_ui.h"
#include "common/window_placement.h"
#include "recording/block_text.h"
#include "dictionaries/ui/dic_ed.h"
#include "dictionaries/ui/dictionary_windows.h"
#include "import/ui/form2.h"
#include "common/ini_file.h"
#include "common/program_folder.h"
#include "options/ui/about_box.h"
#include "options/voice_table.h"
#include "reader/ui/read_form.h"
#include "recording/book_export.h"
#include "recording/recording_session.h"
#include "recording/speech_trial_voice.h"
#include "recording/speech_program.h"

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

Form1::Form1(const QString &programFolder, const QString &bookArgument, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("Form1"));
    m_ownDialogs = std::make_unique<MessageBoxDialogs>(this);
    m_dialogs = m_ownDialogs.get();
    buildControls();
    buildStatusBar();
    connectToolbar();
    formLoad(bookArgument);
}

Form1::~Form1()
{
    delete m_form2;
    // The controls outlive this part of the window while it is destroyed; a
    // focus change then (editingFinished of a range box) must not reach it.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
}

void Form1::setDialogs(UserDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
}

QString Form1::currentBook() const
{
    const QListWidgetItem *item = m_list1->currentItem();
    return item ? item->text() : QString();
}

// ---- building -------------------------------------------------------------

void Form1::buildControls()
{
    m_toolbar = new MainToolbar(this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(m_central);
    // The controls are laid out for a compact 8-point face.
    QFont compact = m_central->font();
    compact.setPointSizeF(8);
    m_central->setFont(compact);

    m_list1 = named(new QListWidget(m_central), "List1", QStringLiteral("Библиотека"));
    m_list1->setGeometry(4, 4, 232, 122);
    m_list1->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list3 = named(new QListWidget(m_central), "List3");
    m_list3->setGeometry(4, 4, 232, 122);
    m_list3->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list3->hide();
    for (QListWidget *list : {m_list1, m_list3}) {
        list->setAcceptDrops(true);
        list->viewport()->setAcceptDrops(true);
        list->viewport()->installEventFilter(this);
    }

    m_command11 = named(new QPushButton(QStringLiteral("▲"), m_central), "Command11",
                        QStringLiteral("Переместить книгу вверх"));
    m_command11->setGeometry(240, 4, 24, 24);
    m_command12 = named(new QPushButton(QStringLiteral("▼"), m_central), "Command12",
                        QStringLiteral("Переместить книгу вниз"));
    m_command12->setGeometry(240, 30, 24, 24);

    m_batchFrame = named(new QFrame(m_central), "BatchFrame");
    m_batchFrame->setGeometry(4, 128, 264, 30);
    m_check1 = named(new QCheckBox(QStringLiteral("Пакетная обработка "), m_batchFrame), "Check1",
                     QStringLiteral("Включить пакетную обработку (запись нескольких книг в очереди)"));
    m_check1->setGeometry(0, 4, 136, 22);
    m_command13 = named(new QPushButton(QStringLiteral("Все"), m_batchFrame), "Command13",
                        QStringLiteral("Выделить все книги для пакетной обработки"));
    m_command13->setGeometry(138, 3, 32, 24);
    m_command14 = named(new QPushButton(QStringLiteral("Снять выделение"), m_batchFrame), "Command14");
    m_command14->setGeometry(172, 3, 92, 24);
    m_command13->setEnabled(false);
    m_command14->setEnabled(false);

    m_rangeFrame = named(new QFrame(m_central), "RangeFrame");
    m_rangeFrame->setGeometry(270, 4, 264, 56);
    named(new QLabel(QStringLiteral("Читать блоки с"), m_rangeFrame), "Label5")->setGeometry(2, 6, 88, 20);
    m_text2 = named(new QLineEdit(m_rangeFrame), "Text2", QStringLiteral("Номер блока, с которого начинать чтение"));
    m_text2->setGeometry(90, 4, 48, 22);
    m_chooseFirst = named(new QPushButton(QStringLiteral("..."), m_rangeFrame), "Command1_0",
                          QStringLiteral("Выбор главы..."));
    m_chooseFirst->setGeometry(140, 4, 22, 22);
    named(new QLabel(QStringLiteral("по"), m_rangeFrame), "Label1")->setGeometry(166, 6, 18, 20);
    m_text3 = named(new QLineEdit(m_rangeFrame), "Text3",
                    QStringLiteral("Номер блока, после которого чтение будет остановлено"));
    m_text3->setGeometry(186, 4, 48, 22);
    m_chooseLast = named(new QPushButton(QStringLiteral("..."), m_rangeFrame), "Command1_1",
                         QStringLiteral("Выбор главы..."));
    m_chooseLast->setGeometry(236, 4, 22, 22);
    named(new QLabel(QStringLiteral("Блоков в книге:"), m_rangeFrame), "Label3")->setGeometry(2, 32, 100, 20);
    m_label4 = named(new QLabel(m_rangeFrame), "Label4", QStringLiteral("Общее количество блоков"));
    m_label4->setGeometry(104, 32, 80, 20);
    for (QPushButton *b : {m_chooseFirst, m_chooseLast})
        b->setContextMenuPolicy(Qt::CustomContextMenu);

    m_frame2 = named(new QGroupBox(QStringLiteral("По окончании "), m_central), "Frame2");
    m_frame2->setGeometry(270, 62, 264, 50);
    m_combo1 = named(new QComboBox(m_frame2), "Combo1");
    m_combo1->setGeometry(8, 20, 248, 24);

    m_progressBar1 = named(new QProgressBar(m_central), "ProgressBar1");
    m_progressBar1->setGeometry(270, 116, 264, 16);
    m_progressBar1->setTextVisible(false);
    m_progressBar2 = named(new QProgressBar(m_central), "ProgressBar2");
    m_progressBar2->setGeometry(270, 136, 264, 10);
    m_progressBar2->setTextVisible(false);

    const char *debugNames[] = {"Label6", "Label7", "Label9"};
    for (int i = 0; i < 3; ++i) {
        auto *label = named(new QLabel(m_central), debugNames[i]);
        label->setGeometry(270 + i * 88, 148, 86, 12);
        label->hide();
        m_debugLabels.append(label);
    }

    m_libMenu = new QMenu(QStringLiteral("Книга"), this);
    m_libMenu->setObjectName(QStringLiteral("libMenu"));
    m_libMenu->addAction(QStringLiteral("Открыть папку с аудиофайлами"), this, &Form1::openAudioFolder)
        ->setObjectName(QStringLiteral("libOpenDir"));
    m_toolMenu = new QMenu(QStringLiteral("Toolbar"), this);
    m_toolMenu->setObjectName(QStringLiteral("ToolMenu"));
    m_toolMenu->addAction(QStringLiteral("Что это такое?"), this, [] { QWhatsThis::enterWhatsThisMode(); })
        ->setObjectName(QStringLiteral("ToolWhatsthis"));

    m_szTimer = new QTimer(this);
    m_szTimer->setObjectName(QStringLiteral("szTimer"));
    m_szTimer->setSingleShot(true);
    m_szTimer->setInterval(250);
    connect(m_szTimer, &QTimer::timeout, this, &Form1::scaleNow);

    m_tray = new TrayControl(this);
    m_form5 = new Form5(this);

    connect(m_list1, &QListWidget::currentRowChanged, this, &Form1::onLibraryRowChanged);
    connect(m_list1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (m_list1->count() > 0)
            m_libMenu->popup(m_list1->mapToGlobal(pos));
    });
    connect(m_list3, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_list1->setCurrentRow(m_list3->row(item)); });
    connect(m_check1, &QCheckBox::toggled, this, &Form1::setBatchMode);
    connect(m_command13, &QPushButton::clicked, m_list3, &QListWidget::selectAll);
    connect(m_command14, &QPushButton::clicked, m_list3, &QListWidget::clearSelection);
    connect(m_command11, &QPushButton::clicked, this, [this] { moveEntry(-1); });
    connect(m_command12, &QPushButton::clicked, this, [this] { moveEntry(1); });
    connect(m_text2, &QLineEdit::editingFinished, this, [this] { validateRange(true); });
    connect(m_text3, &QLineEdit::editingFinished, this, [this] { validateRange(false); });
    connect(m_chooseFirst, &QPushButton::clicked, this, [this] { chooseChapter(true); });
    connect(m_chooseLast, &QPushButton::clicked, this, [this] { chooseChapter(false); });
    connect(m_chooseFirst, &QWidget::customContextMenuRequested, this, [this] { resetRangeEnd(true); });
    connect(m_chooseLast, &QWidget::customContextMenuRequested, this, [this] { resetRangeEnd(false); });
    connect(m_form5, &Form5::chosen, this, [this](int block) {
        QLineEdit *box = m_form5ForFirst ? m_text2 : m_text3;
        box->setText(QString::number(block));
        validateRange(m_form5ForFirst);
    });
    connect(m_combo1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_afterFinish = index;
        if (index >= 0 && m_session)
            m_session->job().afterFinish = index;
    });
    connect(m_tray, &TrayControl::clicked, this, &Form1::trayClicked);
    connect(m_tray, &TrayControl::restoreRequested, this, &Form1::restoreFromTray);
    connect(m_tray, &TrayControl::exitRequested, this, &QWidget::close);
}

void Form1::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const QString tips[] = {QStringLiteral("Статус"), QString(), QStringLiteral("Время, прошедшее с начала записи"),
                            QStringLiteral("Приблизительное время до завершения"),
                            QStringLiteral("Процент выполнения")};
    const int stretch[] = {3, 3, 1, 1, 1};
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setToolTip(tips[i]);
        bar->addWidget(panel, stretch[i]);
        m_panels.append(panel);
    }
}

void Form1::exportBook()
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
        dialog.setDefaultSuffix(filter == dialog.nameFilters().value(1) ? QStringLiteral("xml") : QStringLiteral("txt"));
    });
    dialog.selectFile(book);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const bool xml = dialog.selectedNameFilter() == dialog.nameFilters().value(1);
    ::ExportBook(m_programFolder, book, dialog.selectedFiles().first(), xml ? ExportFormat::Xml : ExportFormat::Text,
                 m_settings, *m_dialogs);
}

void Form1::connectToolbar()
{
    connectBookEditorCommands();
    connect(m_toolbar->button(5), &QAction::triggered, this, &Form1::startOrPause);
    connect(m_toolbar->menuItem(5, 1), &QAction::triggered, this, &Form1::startOrPause);
    connect(m_toolbar->menuItem(5, 2), &QAction::triggered, this, &Form1::reloadDictionaries);
    connect(m_toolbar->button(6), &QAction::triggered, this, &Form1::Stoprec);
    connect(m_toolbar->button(7), &QAction::triggered, this,
            [this] { ReadForm::open(this, m_programFolder, libraryBooks(), currentBook(), m_settings); });
    connect(m_toolbar->button(9), &QAction::triggered, this, &Form1::openOptions);

    auto openEditor = [this] { openDictionaryEditor(this, m_programFolder, *m_dialogs, m_trialVoice.get()); };
    connect(m_toolbar->button(10), &QAction::triggered, this, openEditor);
    connect(m_toolbar->menuItem(10, 1), &QAction::triggered, this, openEditor);
    connect(m_toolbar->menuItem(10, 2), &QAction::triggered, this, [this] {
        const QString book = currentBook();
        if (book.isEmpty())
            return;
        // The book editor's word-search options, as it stores them.
        const QString ini = programPath(m_programFolder, QStringLiteral("\\Lectorium.ini"));
        auto option = [&](const QString &key, const QString &fallback) {
            return ReadIni(QStringLiteral("Поиск имен"), key, ini).value_or(fallback).toInt();
        };
        openDictionaryEditor(this, m_programFolder, *m_dialogs, m_trialVoice.get())
            ->FindNames(bookTextAn(m_programFolder, {book}), option(QStringLiteral("Искать латиницу"), QStringLiteral("1")) == 0,
                        option(QStringLiteral("Искать длинные слова"), QStringLiteral("0")) == 0,
                        option(QStringLiteral("Мин кол-во букв в слове"), QStringLiteral("5")));
    });
    connect(m_toolbar->menuItem(10, 3), &QAction::triggered, this,
            [this] { showDictionaryList(this, m_programFolder, *m_dialogs); });

    connect(m_toolbar->button(2), &QAction::triggered, this, &Form1::deleteBook);
    connect(m_toolbar->menuItem(2, 1), &QAction::triggered, this, &Form1::deleteBook);
    connect(m_toolbar->menuItem(2, 2), &QAction::triggered, this, &Form1::clearLibrary);
    connect(m_toolbar->button(12), &QAction::triggered, this, &Form1::readMe);
    connect(m_toolbar->menuItem(12, 1), &QAction::triggered, this, &Form1::readMe);
    connect(m_toolbar->menuItem(12, 2), &QAction::triggered, this, [this] {
        AboutBox box(m_programFolder, this);
        box.exec();
    });
    connect(m_toolbar->button(14), &QAction::triggered, this, &Form1::openAudioFolder);
    connect(m_toolbar->button(3), &QAction::triggered, this, &Form1::exportBook);
    connect(m_toolbar, &MainToolbar::helpMenuRequested, this, [this](const QPoint &pos) { m_toolMenu->popup(pos); });
}

// ---- start-up ---------------------------------------------------------------

void Form1::formLoad(const QString &bookArgument)
{
    resize(kDesignWidth, kDesignHeight);
    m_central->resize(kCentralWidth, kCentralHeight);
    m_scaler.record(m_central);
    QDir().mkpath(projectsRoot(m_programFolder));
    setWindowTitle(kTitle);
    LoadList();
    ::LoadS(m_settings, m_programFolder + QStringLiteral("/Lectorium.ini"));
    applyLoadedSettings();
    LoadVpar(m_programFolder);
    m_trialVoice = std::make_unique<SpeechTrialVoice>(m_settings);
    m_session = std::make_unique<RecordingSession>(m_settings, m_programFolder, static_cast<RecordingJobHost &>(*this));
    if (m_settings.highPriority == 1)
        SetMyPrior(m_settings, m_speechProgram);
    m_toolbar->setButtonEnabled(6, false);
    m_combo1->addItems({QStringLiteral("Ничего не делать"), QStringLiteral("Показать сообщение"),
                        QStringLiteral("Выйти из программы"), QStringLiteral("Выключить компьютер")});
    m_combo1->setCurrentIndex(std::clamp(m_settings.afterFinish, 0, 3));
    if (m_settings.firstStart == 1)
        QTimer::singleShot(0, this, &Form1::showFirstStartMessage);
    showTrayIconIfWanted();
    const QString book = openableBookFile(bookArgument);
    if (!book.isEmpty())
        openDroppedBook(book);
    debugCh();
}

void Form1::applyLoadedSettings()
{
    if (m_settings.outputFolder.size() < 2)
        m_settings.outputFolder = m_programFolder + QStringLiteral("/Audiobooks");
    if (m_settings.bookIndex < m_list1->count())
        m_list1->setCurrentRow(m_settings.bookIndex);
    if (m_settings.batchMode > 0)
        m_check1->setChecked(true);
    ApplyWindowPlacement(this, m_settings.mainPlacement);
}

void Form1::showFirstStartMessage()
{
    m_dialogs->show({kTitle, QStringLiteral("Выберите голосовой движок и укажите каталог\nдля готовых аудиофайлов..."),
                     DialogIcon::Information, DialogButtons::Ok});
    openOptions();
    m_settings.firstStart = 0;
}

void Form1::debugCh()
{
    const bool debug = QFileInfo(m_programFolder + QStringLiteral("/debug")).isDir();
    for (QLabel *label : m_debugLabels)
        label->setVisible(debug);
}

void Form1::showTrayIconIfWanted()
{
    if (m_settings.alwaysTrayIcon == 1)
        m_tray->showIcon(kTitle);
}

// ---- library ----------------------------------------------------------------

void Form1::LoadList()
{
    const QSignalBlocker block(m_list1);
    m_list1->clear();
    m_list1->addItems(::LoadList(m_programFolder));
    if (m_list1->count() == 0) {
        DisSpeak();
        m_list1->setToolTip(QStringLiteral("Библиотека (нет книг)"));
        setWindowTitle(kTitle);
        m_blockCount = 0;
        m_label4->clear();
        m_text2->clear();
        m_text3->clear();
        m_tagInfo = TagInfo();
        m_blockTitles = BlockTitles();
        for (int position : {1, 9, 10})
            m_toolbar->setButtonEnabled(position, true);
        for (int position : {6, 7})
            m_toolbar->setButtonEnabled(position, false);
        return;
    }
    EnSpeak();
    m_list1->setToolTip(QStringLiteral("Библиотека"));
    m_toolbar->setButtonEnabled(6, false);
    m_list1->setCurrentRow(0);
    loadBook();
}

void Form1::onLibraryRowChanged(int row)
{
    if (row >= 0)
        loadBook();
}

void Form1::loadBook()
{
    const QString book = currentBook();
    if (book.isEmpty())
        return;
    const QString folder = bookFolder(m_programFolder, book);
    m_blockCount = countBlocks(folder);
    m_label4->setText(QString::number(m_blockCount));
    m_range = readRange(folder, m_blockCount);
    showRange();
    setWindowTitle(kTitle + QStringLiteral(" - ") + book);
    LoadChapters(folder, book, m_blockCount, m_tagInfo, m_blockTitles);
}

bool Form1::FindBook(const QString &book)
{
    const int index = ::FindBook(libraryBooks(), book);
    if (index < 0)
        return false;
    m_list1->setCurrentRow(index);
    if (m_check1->isChecked())
        m_list3->setCurrentRow(index, QItemSelectionModel::NoUpdate);
    return true;
}

void Form1::showRange()
{
    m_text2->setText(QString::number(m_range.first));
    m_text3->setText(QString::number(m_range.last));
}

void Form1::validateRange(bool first)
{
    if (m_validating || m_blockCount == 0)
        return;
    const QString text = (first ? m_text2 : m_text3)->text();
    const auto accepted = first ? acceptFirstBlock(text, m_range, m_blockCount)
                                : acceptLastBlock(text, m_range, m_blockCount);
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

void Form1::acceptRange(const BlockRange &range)
{
    m_range = range;
    showRange();
    writeRange(bookFolder(m_programFolder, currentBook()), m_range);
}

void Form1::chooseChapter(bool first)
{
    if (m_blockCount == 0)
        return;
    m_form5ForFirst = first;
    m_form5->showChapters(m_blockTitles.all(), first ? m_chooseFirst : m_chooseLast);
}

void Form1::resetRangeEnd(bool first)
{
    if (m_blockCount == 0)
        return;
    (first ? m_text2 : m_text3)->setText(first ? QStringLiteral("1") : QString::number(m_blockCount));
    validateRange(first);
}

void Form1::deleteBook()
{
    const QString book = currentBook();
    if (book.isEmpty())
        return;
    if (!::DeleteBook(m_programFolder, book, *m_dialogs))
        return;
    LoadList();
    refreshBatchMode();
}

QStringList Form1::libraryBooks() const
{
    QStringList books;
    for (int i = 0; i < m_list1->count(); ++i)
        books.append(m_list1->item(i)->text());
    return books;
}

void Form1::clearLibrary()
{
    if (!::LibClear(m_programFolder, libraryBooks(), *m_dialogs))
        return;
    LoadList();
    refreshBatchMode();
}

void Form1::openAudioFolder()
{
    const QString output = m_settings.outputFolder;
    const QString bookOutput = output + u'/' + currentBook();
    const bool bookHasFolder = !currentBook().isEmpty() && QFileInfo(bookOutput).isDir();
    QDesktopServices::openUrl(QUrl::fromLocalFile(bookHasFolder ? bookOutput : output));
}

void Form1::readMe()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_programFolder + QStringLiteral("/Doc/readme.htm")));
}

void Form1::openDroppedBook(const QString &path)
{
    // Adding a book reloads the library, which a running recording reads
    // its book from; toolbar button 1 is off while recording for the same
    // reason.
    if (isRecording())
        return;
    openBookEditor()->LoadExternal(path);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    const bool onList = watched == m_list1->viewport() || watched == m_list3->viewport();
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

void Form1::setBatchMode(bool on)
{
    if (!on) {
        // The ticks are kept in the file, so switching back on finds them.
        if (m_batchFilled)
            SaveBatch(batchFilePath(m_programFolder), batchEntries());
        m_list3->hide();
        m_list1->show();
        m_command13->setEnabled(false);
        m_command14->setEnabled(false);
        return;
    }
    const int remembered = m_list1->currentRow();
    m_list3->clear();
    m_list1->hide();
    m_list3->show();
    m_command13->setEnabled(true);
    m_command14->setEnabled(true);
    const BatchEntries entries = LoadBatch(batchFilePath(m_programFolder), libraryBooks());
    for (const NameFlag &entry : entries) {
        auto *item = new QListWidgetItem(entry.name, m_list3);
        item->setSelected(entry.flag);
    }
    m_batchFilled = true;
    if (remembered >= 0)
        m_list3->setCurrentRow(remembered, QItemSelectionModel::NoUpdate);
}

void Form1::refreshBatchMode()
{
    // The batch list is rebuilt from the library; the ticks go through the
    // file so that none is lost on the way.
    if (m_batchFilled)
        SaveBatch(batchFilePath(m_programFolder), batchEntries());
    setBatchMode(m_check1->isChecked());
}

BatchEntries Form1::batchEntries() const
{
    BatchEntries entries;
    for (int i = 0; i < m_list3->count(); ++i)
        entries.append({m_list3->item(i)->text(), m_list3->item(i)->isSelected()});
    return entries;
}

void Form1::moveEntry(int delta)
{
    const int row = m_list1->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list1->count())
        return;
    {
        const QSignalBlocker block(m_list1);
        m_list1->insertItem(target, m_list1->takeItem(row));
        m_list1->setCurrentRow(target);
    }
    if (m_check1->isChecked() && row < m_list3->count() && target < m_list3->count()) {
        QListWidgetItem *item = m_list3->takeItem(row);
        const bool selected = item->isSelected();
        m_list3->insertItem(target, item);
        item->setSelected(selected);
        m_list3->setCurrentRow(target, QItemSelectionModel::NoUpdate);
    }
}

// ---- recording state of the controls ----------------------------------------

void Form1::DisSpeak()
{
    for (int position = 1; position <= 10; ++position)
        m_toolbar->setButtonEnabled(position, false);
    for (int position : {6, 7, 9})
        m_toolbar->setButtonEnabled(position, true);
    m_rangeFrame->setEnabled(false);
    m_batchFrame->setEnabled(false);
}

void Form1::EnSpeak()
{
    for (int position = 1; position <= 13; ++position)
        m_toolbar->setButtonEnabled(position, true);
    m_toolbar->setButtonEnabled(6, false);
    m_rangeFrame->setEnabled(true);
    m_batchFrame->setEnabled(true);
}

// ---- settings and exit ------------------------------------------------------------

void Form1::SaveS()
{
    if (m_batchFilled)
        SaveBatch(batchFilePath(m_programFolder), batchEntries());
    m_settings.bookIndex = m_list1->currentRow();
    m_settings.afterFinish = m_afterFinish;
    m_settings.batchMode = m_check1->isChecked() ? 1 : 0;
    m_settings.mainPlacement = windowPlacement(this);
    ::SaveS(m_settings, m_programFolder + QStringLiteral("/Lectorium.ini"));
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (isRecording()) {
        event->ignore();
        closeWhileRecording();
        return;
    }
    SaveS();
    m_tray->removeIcon();
    event->accept();
}

// ---- scaling and tray ---------------------------------------------------------------

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isEnabled())
        return;
    if (m_settings.scaleInterface == 0) {
        if (isMaximized())
            showNormal();
        if (!isMinimized() && !isMaximized() && size() != QSize(kDesignWidth, kFixedHeight))
            resize(kDesignWidth, kFixedHeight);
    }
    if (!m_szTimer->isActive())
        m_szTimer->start();
}

void Form1::scaleNow()
{
    m_szTimer->stop();
    m_scaler.scale();
    if (m_settings.scaleToolbar == 1) {
        const double factor = double(width()) / kDesignWidth * 0.71 + double(height()) / kDesignHeight * 0.29;
        m_toolbar->scaleImages(factor);
    }
    if (windowState() == Qt::WindowNoState && screen()) {
        const QRect area = screen()->availableGeometry();
        const QRect g = geometry();
        const ScreenRect kept = keepOnScreen({double(g.x() - area.x()) * kTwipsPerPixel,
                                              double(g.y() - area.y()) * kTwipsPerPixel,
                                              double(g.width()) * kTwipsPerPixel, double(g.height()) * kTwipsPerPixel},
                                             double(area.width()) * kTwipsPerPixel,
                                             double(area.height()) * kTwipsPerPixel);
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

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized() && m_settings.minimizeToTray == 1) {
        m_tray->showIcon(kTitle);
        QTimer::singleShot(0, this, &QWidget::hide);
    }
    if (!m_szTimer->isActive())
        m_szTimer->start();
}

void Form1::trayClicked()
{
    if (isVisible() && windowState() == Qt::WindowNoState) {
        showMinimized();
        hide();
        return;
    }
    restoreFromTray();
}

void Form1::restoreFromTray()
{
    showNormal();
    raise();
    activateWindow();
    if (m_settings.alwaysTrayIcon != 1)
        m_tray->removeIcon();
}

void Form1::activateFromAnotherStart()
{
    if (isMinimized() || !isVisible())
        showNormal();
    raise();
    activateWindow();
}
