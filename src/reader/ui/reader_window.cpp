#include "reader/ui/reader_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "common/program_folder.h"

#include "app/project_store.h"
#include "common/user_file.h"
#include "reader/chapter_list.h"
#include "reader/chapter_text.h"
#include "reader/ui/reader_style.h"
#include "reader/ui/reader_style_dialogs.h"
#include "stress/spoken_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Often enough for the colour to keep up with the words of a quick voice.
constexpr int kTimerMsecs = 100;

// Menu index = the colour's number for chooseColour; 0 is the font. Without the
// dots an entry is the title of its dialog.
const QStringList kStyleMenu = {QStringLiteral("Шрифт..."), QStringLiteral("Цвет фона..."),
                                QStringLiteral("Цвет текста..."), QStringLiteral("Цвет читаемого слова..."),
                                QStringLiteral("Цвет прочитанного текста...")};

} // namespace

ReaderWindow::ReaderWindow(const QString &programFolder, const QStringList &books, const QString &selectedBook,
                           const Settings &settings, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_programFolder(programFolder), m_settings(settings),
      m_ownDialogs(std::make_unique<PlatformStyleDialogs>()), m_dialogs(m_ownDialogs.get())
{
    setObjectName(QStringLiteral("ReaderWindow"));
    installHelpKey(this, HelpAnchor::reader);
    setWindowTitle(QStringLiteral("Чтение вслух"));
    resize(860, 600);
    buildControls();
    buildToolbar();
    buildStatusBar();
    m_readingTimer = new QTimer(this);
    m_readingTimer->setObjectName(QStringLiteral("readingTimer"));
    m_readingTimer->setInterval(kTimerMsecs);
    connect(m_readingTimer, &QTimer::timeout, this, &ReaderWindow::followReading);
    loadInitialState(books, selectedBook);
}

ReaderWindow::~ReaderWindow() = default;

ReaderWindow *ReaderWindow::open(QWidget *owner, const QString &programFolder, const QStringList &books,
                                 const QString &selectedBook, const Settings &settings)
{
    auto *reader = owner->findChild<ReaderWindow *>(QStringLiteral("ReaderWindow"), Qt::FindDirectChildrenOnly);
    if (!reader) {
        reader = new ReaderWindow(programFolder, books, selectedBook, settings, owner);
        reader->setAttribute(Qt::WA_DeleteOnClose);
    }
    reader->show();
    reader->raise();
    reader->activateWindow();
    return reader;
}

void ReaderWindow::setStyleDialogs(ReaderStyleDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
}

// ---- building -------------------------------------------------------------

void ReaderWindow::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);

    m_listsPanel = new QWidget(central);
    m_listsPanel->setObjectName(QStringLiteral("toggleListsAction"));
    auto *listsLayout = new QVBoxLayout(m_listsPanel);
    listsLayout->setContentsMargins(0, 0, 0, 0);
    m_bookCombo = new QComboBox(m_listsPanel);
    m_bookCombo->setObjectName(QStringLiteral("bookCombo"));
    m_bookCombo->setToolTip(QStringLiteral("Книга"));
    m_chapterList = new QListWidget(m_listsPanel);
    m_chapterList->setObjectName(QStringLiteral("chapterList"));
    m_chapterList->setToolTip(QStringLiteral("Главы"));
    listsLayout->addWidget(m_bookCombo);
    listsLayout->addWidget(m_chapterList, 1);
    m_listsPanel->setFixedWidth(260);
    m_listsPanel->hide();

    m_textView = new QPlainTextEdit(central);
    m_textView->setObjectName(QStringLiteral("textView"));
    m_textView->setReadOnly(true);
    // The colouring is no edit to undo.
    m_textView->setUndoRedoEnabled(false);
    // When the reading leaves the view, the next lines come to its middle
    // rather than one at a time at its foot.
    m_textView->setCenterOnScroll(true);
    // Read-only, yet with a caret: it marks the reading place.
    m_textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_listsPanel);
    layout->addWidget(m_textView, 1);

    connect(m_bookCombo, &QComboBox::currentIndexChanged, this, &ReaderWindow::bookChosen);
    connect(m_chapterList, &QListWidget::currentRowChanged, this, &ReaderWindow::chapterChosen);
    buildPronunciationFix();
}

void ReaderWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("toolbar"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto add = [this](const char *key, QStyle::StandardPixmap icon, const QString &text, const QString &tip,
                      void (ReaderWindow::*slot)()) {
        QAction *action = m_toolbar->addAction(style()->standardIcon(icon), text);
        action->setObjectName(QString::fromLatin1(key));
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("toggleListsAction", QStyle::SP_FileDialogListView, QStringLiteral("Списки"),
        QStringLiteral("Показать или скрыть книги и главы"), &ReaderWindow::toggleLists);
    m_toolbar->addSeparator();
    add("previousChapterAction", QStyle::SP_MediaSkipBackward, QStringLiteral("Назад"),
        QStringLiteral("Предыдущая глава"), &ReaderWindow::previousChapter);
    m_playAction = add("playAction", QStyle::SP_MediaPlay, QStringLiteral("Читать"), QStringLiteral("Читать вслух"),
                       &ReaderWindow::play);
    m_pauseAction = add("pauseAction", QStyle::SP_MediaPause, QStringLiteral("Пауза"),
                        QStringLiteral("Приостановить или продолжить"), &ReaderWindow::pause);
    m_pauseAction->setCheckable(true);
    m_stopAction = add("stopAction", QStyle::SP_MediaStop, QStringLiteral("Стоп"), QStringLiteral("Остановить чтение"),
                       &ReaderWindow::stop);
    add("nextChapterAction", QStyle::SP_MediaSkipForward, QStringLiteral("Вперёд"), QStringLiteral("Следующая глава"),
        &ReaderWindow::nextChapter);
    m_toolbar->addSeparator();
    showReadingState();

    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("styleMenu"));
    static const char *const itemNames[] = {"fontAction", "backgroundColourAction", "textColourAction",
                                            "readingWordColourAction", "readTextColourAction"};
    for (int i = 0; i < kStyleMenu.size(); ++i) {
        QAction *item = menu->addAction(kStyleMenu.at(i));
        item->setObjectName(QString::fromLatin1(itemNames[i]));
        connect(item, &QAction::triggered, this, [this, i] { i == 0 ? chooseTextFont() : chooseColour(i); });
    }
    auto *styleButton = new QToolButton(m_toolbar);
    styleButton->setObjectName(QStringLiteral("styleButton"));
    styleButton->setText(QStringLiteral("Оформление"));
    styleButton->setToolTip(QStringLiteral("Шрифт и цвета"));
    styleButton->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
    styleButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    styleButton->setPopupMode(QToolButton::InstantPopup);
    styleButton->setMenu(menu);
    m_toolbar->addWidget(styleButton);
}

void ReaderWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    const QString tips[] = {QStringLiteral("Книга"), QStringLiteral("Глава")};
    const char *const names[] = {"bookLabel", "chapterLabel"};
    for (int i = 0; i < 2; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QString::fromLatin1(names[i]));
        panel->setToolTip(tips[i]);
        bar->addWidget(panel, i + 1);
        m_statusLabels.append(panel);
    }
    // The third panel tells while the sound server is gone that reading goes on unheard.
    auto *soundNote = new QLabel(bar);
    soundNote->setObjectName(QStringLiteral("soundServerLabel"));
    bar->addPermanentWidget(soundNote);
    m_statusLabels.append(soundNote);
}

void ReaderWindow::loadInitialState(const QStringList &books, const QString &selectedBook)
{
    {
        // The chooser is filled before a book is chosen.
        const QSignalBlocker blocker(m_bookCombo);
        m_bookCombo->addItems(books);
        m_bookCombo->setCurrentIndex(-1);
    }
    loadReaderSettings();
    m_bookCombo->setCurrentIndex(std::max(0, int(books.indexOf(selectedBook))));
    toggleLists();
}

QString ReaderWindow::iniPath() const
{
    return ProgramFolder(m_programFolder).settingsFile();
}

// ---- settings ---------------------------------------------------------------

void ReaderWindow::loadReaderSettings()
{
    ::loadReaderSettings(m_style, iniPath());
    applyStyle();
}

void ReaderWindow::saveReaderSettings()
{
    ::saveReaderSettings(m_style, iniPath());
}

void ReaderWindow::applyStyle()
{
    m_textView->setFont(readerFont(m_style));
    QPalette palette = m_textView->palette();
    palette.setColor(QPalette::Base, colourFromNumber(m_style.background));
    palette.setColor(QPalette::Text, colourFromNumber(m_style.unread));
    m_textView->setPalette(palette);
    // The text read and the word being read take the new colours at once;
    // unread text has the view's own text colour.
    paintRange(0, m_wordStart, colourFromNumber(m_style.read));
    paintRange(m_wordStart, m_wordEnd, colourFromNumber(m_style.reading));
}

void ReaderWindow::chooseTextFont()
{
    if (const auto font = m_dialogs->chooseFont(this, readerFont(m_style))) {
        setReaderFont(m_style, *font);
        applyStyle();
        saveReaderSettings();
    }
}

void ReaderWindow::chooseColour(int colourIndex)
{
    int *colours[] = {&m_style.background, &m_style.unread, &m_style.reading, &m_style.read};
    if (colourIndex < 1 || colourIndex > 4)
        return;
    int &colour = *colours[colourIndex - 1];
    if (const auto chosen =
            m_dialogs->chooseColour(this, colourFromNumber(colour), kStyleMenu.at(colourIndex).chopped(3))) {
        colour = colourNumber(*chosen);
        applyStyle();
        saveReaderSettings();
    }
}

// ---- book and chapters --------------------------------------------------------

void ReaderWindow::loadChapterList()
{
    m_chapters = ::loadChapterList(m_bookFolder);
}

void ReaderWindow::bookChosen()
{
    const QString book = m_bookCombo->currentText();
    m_bookFolder = bookFolder(m_programFolder, book);
    m_statusLabels[0]->setText(book);
    loadChapterList();
    {
        // Choosing a book stops nothing: the chapter being read goes on,
        // and the new book's chapters follow it.
        const QSignalBlocker blocker(m_chapterList);
        m_chapterList->clear();
        for (int i = 0; i < m_chapters.size(); ++i)
            m_chapterList->addItem(chapterEntry(i + 1, m_chapters.at(i)));
    }
    if (!m_reader.isReading() && m_chapterList->count() > 0)
        m_chapterList->setCurrentRow(0);
}

void ReaderWindow::chapterChosen(int row)
{
    if (row < 0)
        return;
    const ChapterText chapter = loadChapter(m_bookFolder, row + 1);
    const QString &text = chapter.text;
    // The view would give the new text the colour at its caret.
    m_textView->setCurrentCharFormat(QTextCharFormat());
    m_textView->setPlainText(text);
    m_wordStart = m_wordEnd = 0;
    m_statusLabels[1]->setText(m_chapterList->item(row)->text());
    if (m_reader.isReading()) {
        m_reader.read(chapter);
        m_readingTimer->start();
        showReadingState();
    }
}

// ---- reading ------------------------------------------------------------------

void ReaderWindow::followReading()
{
    if (m_reader.isPaused())
        return;
    const ChapterReader::Progress progress = m_reader.poll();
    m_statusLabels[2]->setText(readingNote(progress));
    if (!progress.failure.isEmpty()) {
        // Every next chapter would fail the same way.
        stop();
        m_statusLabels[2]->setText(readingNote(progress));
        m_statusLabels[2]->setToolTip(progress.failure);
        return;
    }
    if (!progress.finished) {
        if (progress.wordLength > 0)
            highlight(progress.wordStart, progress.wordLength);
        return;
    }
    const int nextRow = m_chapterList->currentRow() + 1;
    if (nextRow < m_chapterList->count()) {
        m_chapterList->setCurrentRow(nextRow);
    } else {
        stop();
    }
}

QString ReaderWindow::readingNote(const ChapterReader::Progress &progress)
{
    if (!progress.failure.isEmpty())
        return QStringLiteral("Чтение остановлено: ") + UserFile::splitLines(progress.failure).value(0);
    if (progress.soundLost)
        return QStringLiteral("Звуковой сервер недоступен: чтение идёт без звука");
    if (!progress.wordsReported)
        return QStringLiteral("Голос — речевая программа: читаемые слова не подсвечиваются");
    return QString();
}

void ReaderWindow::highlight(int wordStart, int wordLength)
{
    const int wordEnd = wordStart + wordLength;
    if (wordStart == m_wordStart && wordEnd == m_wordEnd)
        return;
    // Only what changed is painted again, so a long chapter costs no more
    // per word than a short one; a step back repaints from the start.
    if (wordStart < m_wordStart)
        m_wordStart = 0;
    paintRange(m_wordStart, std::max(m_wordEnd, wordEnd), QColor());
    paintRange(m_wordStart, wordStart, colourFromNumber(m_style.read));
    paintRange(wordStart, wordEnd, colourFromNumber(m_style.reading));
    m_wordStart = wordStart;
    m_wordEnd = wordEnd;
    QTextCursor caret(m_textView->document());
    caret.setPosition(wordStart);
    m_textView->setTextCursor(caret);
    m_textView->ensureCursorVisible();
}

void ReaderWindow::paintRange(int from, int to, const QColor &colour)
{
    if (to <= from)
        return;
    QTextCursor cursor(m_textView->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    if (colour.isValid())
        format.setForeground(colour);
    cursor.setCharFormat(format);
}

void ReaderWindow::previousChapter()
{
    const int row = m_chapterList->currentRow();
    if (row > 0)
        m_chapterList->setCurrentRow(row - 1);
}

void ReaderWindow::nextChapter()
{
    const int row = m_chapterList->currentRow();
    if (row >= 0 && row + 1 < m_chapterList->count())
        m_chapterList->setCurrentRow(row + 1);
}

void ReaderWindow::play()
{
    if (m_reader.isReading() || m_chapterList->count() == 0)
        return;
    if (m_chapterList->currentRow() < 0) {
        const QSignalBlocker blocker(m_chapterList);
        m_chapterList->setCurrentRow(0);
    }
    m_reader.start(m_settings.voiceIndex, m_settings.fullVolume,
                   spokenTextOptions(m_programFolder, m_settings.autoStress));
    chapterChosen(m_chapterList->currentRow());
    showReadingState();
}

void ReaderWindow::pause()
{
    m_reader.togglePause();
    showReadingState();
}

void ReaderWindow::stop()
{
    m_readingTimer->stop();
    m_reader.stop();
    showReadingState();
}

void ReaderWindow::showReadingState()
{
    const bool reading = m_reader.isReading();
    m_playAction->setEnabled(!reading);
    m_pauseAction->setEnabled(reading);
    m_pauseAction->setChecked(m_reader.isPaused());
    m_stopAction->setEnabled(reading);
}

void ReaderWindow::toggleLists()
{
    m_listsPanel->setVisible(m_listsPanel->isHidden());
}

void ReaderWindow::closeEvent(QCloseEvent *event)
{
    if (m_reader.isReading())
        stop();
    saveReaderSettings();
    event->accept();
}
