#include "reader/ui/read_form.h"

#include "app/project_store.h"
#include "reader/chapter_list.h"
#include "reader/chapter_text.h"
#include "reader/ui/reader_style.h"
#include "reader/ui/reader_style_dialogs.h"

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

// Menu index = the colour's number for selCol; 0 is the font. Without the
// dots an entry is the title of its dialog.
const QStringList kStyleMenu = {QStringLiteral("Шрифт..."), QStringLiteral("Цвет фона..."),
                                QStringLiteral("Цвет текста..."), QStringLiteral("Цвет читаемого слова..."),
                                QStringLiteral("Цвет прочитанного текста...")};

} // namespace

ReadForm::ReadForm(const QString &programFolder, const QStringList &books, const QString &selectedBook,
                   const Settings &settings, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_programFolder(programFolder), m_settings(settings),
      m_ownDialogs(std::make_unique<PlatformStyleDialogs>()), m_dialogs(m_ownDialogs.get())
{
    setObjectName(QStringLiteral("ReadForm"));
    setWindowTitle(QStringLiteral("Чтение вслух"));
    resize(860, 600);
    buildControls();
    buildToolbar();
    buildStatusBar();
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kTimerMsecs);
    connect(m_timer1, &QTimer::timeout, this, &ReadForm::Timer1_Timer);
    formLoad(books, selectedBook);
}

ReadForm::~ReadForm() = default;

ReadForm *ReadForm::open(QWidget *owner, const QString &programFolder, const QStringList &books,
                         const QString &selectedBook, const Settings &settings)
{
    auto *reader = owner->findChild<ReadForm *>(QStringLiteral("ReadForm"), Qt::FindDirectChildrenOnly);
    if (!reader) {
        reader = new ReadForm(programFolder, books, selectedBook, settings, owner);
        reader->setAttribute(Qt::WA_DeleteOnClose);
    }
    reader->show();
    reader->raise();
    reader->activateWindow();
    return reader;
}

void ReadForm::setStyleDialogs(ReaderStyleDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
}

// ---- building -------------------------------------------------------------

void ReadForm::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);

    m_lists = new QWidget(central);
    m_lists->setObjectName(QStringLiteral("Lists"));
    auto *listsLayout = new QVBoxLayout(m_lists);
    listsLayout->setContentsMargins(0, 0, 0, 0);
    m_combo1 = new QComboBox(m_lists);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setToolTip(QStringLiteral("Книга"));
    m_list1 = new QListWidget(m_lists);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setToolTip(QStringLiteral("Главы"));
    listsLayout->addWidget(m_combo1);
    listsLayout->addWidget(m_list1, 1);
    m_lists->setFixedWidth(260);
    m_lists->hide();

    m_richTextBox1 = new QPlainTextEdit(central);
    m_richTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    m_richTextBox1->setReadOnly(true);
    // The colouring is no edit to undo.
    m_richTextBox1->setUndoRedoEnabled(false);
    // When the reading leaves the view, the next lines come to its middle
    // rather than one at a time at its foot.
    m_richTextBox1->setCenterOnScroll(true);
    // Read-only, yet with a caret: it marks the reading place.
    m_richTextBox1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_lists);
    layout->addWidget(m_richTextBox1, 1);

    connect(m_combo1, &QComboBox::currentIndexChanged, this, &ReadForm::Combo1_Click);
    connect(m_list1, &QListWidget::currentRowChanged, this, &ReadForm::List1_Click);
}

void ReadForm::buildToolbar()
{
    m_toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setMovable(false);
    m_toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto add = [this](const char *key, QStyle::StandardPixmap icon, const QString &text, const QString &tip,
                      void (ReadForm::*slot)()) {
        QAction *action = m_toolbar1->addAction(style()->standardIcon(icon), text);
        action->setObjectName(QString::fromLatin1(key));
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("Lists", QStyle::SP_FileDialogListView, QStringLiteral("Списки"),
        QStringLiteral("Показать или скрыть книги и главы"), &ReadForm::toggleLists);
    m_toolbar1->addSeparator();
    add("Prev", QStyle::SP_MediaSkipBackward, QStringLiteral("Назад"), QStringLiteral("Предыдущая глава"),
        &ReadForm::prev);
    m_play = add("Play", QStyle::SP_MediaPlay, QStringLiteral("Читать"), QStringLiteral("Читать вслух"),
                 &ReadForm::play);
    m_pause = add("Pause", QStyle::SP_MediaPause, QStringLiteral("Пауза"),
                  QStringLiteral("Приостановить или продолжить"), &ReadForm::pause);
    m_pause->setCheckable(true);
    m_stop = add("Stop", QStyle::SP_MediaStop, QStringLiteral("Стоп"), QStringLiteral("Остановить чтение"),
                 &ReadForm::stop);
    add("Next", QStyle::SP_MediaSkipForward, QStringLiteral("Вперёд"), QStringLiteral("Следующая глава"),
        &ReadForm::next);
    m_toolbar1->addSeparator();
    showReadingState();

    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("StyleMenu"));
    for (int i = 0; i < kStyleMenu.size(); ++i) {
        QAction *item = menu->addAction(kStyleMenu.at(i));
        item->setObjectName(QStringLiteral("StyleMenuItem%1").arg(i));
        connect(item, &QAction::triggered, this, [this, i] { i == 0 ? SelFnt() : selCol(i); });
    }
    auto *styleButton = new QToolButton(m_toolbar1);
    styleButton->setObjectName(QStringLiteral("Style"));
    styleButton->setText(QStringLiteral("Оформление"));
    styleButton->setToolTip(QStringLiteral("Шрифт и цвета"));
    styleButton->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
    styleButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    styleButton->setPopupMode(QToolButton::InstantPopup);
    styleButton->setMenu(menu);
    m_toolbar1->addWidget(styleButton);
}

void ReadForm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const QString tips[] = {QStringLiteral("Книга"), QStringLiteral("Глава")};
    for (int i = 0; i < 2; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setToolTip(tips[i]);
        bar->addWidget(panel, i + 1);
        m_panels.append(panel);
    }
    // Panel 3 tells while the sound server is gone that reading goes on unheard.
    auto *soundNote = new QLabel(bar);
    soundNote->setObjectName(QStringLiteral("StatusPanel3"));
    bar->addPermanentWidget(soundNote);
    m_panels.append(soundNote);
}

void ReadForm::formLoad(const QStringList &books, const QString &selectedBook)
{
    {
        // The chooser is filled before a book is chosen.
        const QSignalBlocker blocker(m_combo1);
        m_combo1->addItems(books);
        m_combo1->setCurrentIndex(-1);
    }
    Rload();
    m_combo1->setCurrentIndex(std::max(0, int(books.indexOf(selectedBook))));
    toggleLists();
}

QString ReadForm::iniPath() const
{
    return m_programFolder + QStringLiteral("/Lectorium.ini");
}

// ---- settings ---------------------------------------------------------------

void ReadForm::Rload()
{
    ::Rload(m_style, iniPath());
    applyStyle();
}

void ReadForm::Rsave()
{
    ::Rsave(m_style, iniPath());
}

void ReadForm::applyStyle()
{
    m_richTextBox1->setFont(readerFont(m_style));
    QPalette palette = m_richTextBox1->palette();
    palette.setColor(QPalette::Base, colourFromNumber(m_style.background));
    palette.setColor(QPalette::Text, colourFromNumber(m_style.unread));
    m_richTextBox1->setPalette(palette);
    // The text read and the word being read take the new colours at once;
    // unread text has the view's own text colour.
    paintRange(0, m_wordStart, colourFromNumber(m_style.read));
    paintRange(m_wordStart, m_wordEnd, colourFromNumber(m_style.reading));
}

void ReadForm::SelFnt()
{
    if (const auto font = m_dialogs->chooseFont(this, readerFont(m_style))) {
        setReaderFont(m_style, *font);
        applyStyle();
        Rsave();
    }
}

void ReadForm::selCol(int c)
{
    int *colours[] = {&m_style.background, &m_style.unread, &m_style.reading, &m_style.read};
    if (c < 1 || c > 4)
        return;
    int &colour = *colours[c - 1];
    if (const auto chosen = m_dialogs->chooseColour(this, colourFromNumber(colour), kStyleMenu.at(c).chopped(3))) {
        colour = colourNumber(*chosen);
        applyStyle();
        Rsave();
    }
}

// ---- book and chapters --------------------------------------------------------

void ReadForm::LoadChp()
{
    m_chapters = ::LoadChp(m_bookFolder);
}

void ReadForm::Combo1_Click()
{
    const QString book = m_combo1->currentText();
    m_bookFolder = bookFolder(m_programFolder, book);
    m_panels[0]->setText(book);
    LoadChp();
    {
        // Choosing a book stops nothing: the chapter being read goes on,
        // and the new book's chapters follow it.
        const QSignalBlocker blocker(m_list1);
        m_list1->clear();
        for (int i = 0; i < m_chapters.size(); ++i)
            m_list1->addItem(chapterEntry(i + 1, m_chapters.at(i)));
    }
    if (!m_reader.isReading() && m_list1->count() > 0)
        m_list1->setCurrentRow(0);
}

void ReadForm::List1_Click(int row)
{
    if (row < 0)
        return;
    const QString text = LoadChapterText(m_bookFolder, row + 1);
    // The view would give the new text the colour at its caret.
    m_richTextBox1->setCurrentCharFormat(QTextCharFormat());
    m_richTextBox1->setPlainText(text);
    m_wordStart = m_wordEnd = 0;
    m_panels[1]->setText(m_list1->item(row)->text());
    if (m_reader.isReading()) {
        m_reader.read(text);
        m_timer1->start();
        showReadingState();
    }
}

// ---- reading ------------------------------------------------------------------

void ReadForm::Timer1_Timer()
{
    if (m_reader.isPaused())
        return;
    const ChapterReader::Progress progress = m_reader.poll();
    m_panels[2]->setText(progress.soundLost ? QStringLiteral("Звуковой сервер недоступен: чтение идёт без звука")
                                            : QString());
    if (!progress.finished) {
        if (progress.wordLength > 0)
            highlight(progress.wordStart, progress.wordLength);
        return;
    }
    const int nextRow = m_list1->currentRow() + 1;
    if (nextRow < m_list1->count()) {
        m_list1->setCurrentRow(nextRow);
    } else {
        stop();
    }
}

void ReadForm::highlight(int wordStart, int wordLength)
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
    QTextCursor caret(m_richTextBox1->document());
    caret.setPosition(wordStart);
    m_richTextBox1->setTextCursor(caret);
    m_richTextBox1->ensureCursorVisible();
}

void ReadForm::paintRange(int from, int to, const QColor &colour)
{
    if (to <= from)
        return;
    QTextCursor cursor(m_richTextBox1->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    if (colour.isValid())
        format.setForeground(colour);
    cursor.setCharFormat(format);
}

void ReadForm::prev()
{
    const int row = m_list1->currentRow();
    if (row > 0)
        m_list1->setCurrentRow(row - 1);
}

void ReadForm::next()
{
    const int row = m_list1->currentRow();
    if (row >= 0 && row + 1 < m_list1->count())
        m_list1->setCurrentRow(row + 1);
}

void ReadForm::play()
{
    if (m_reader.isReading() || m_list1->count() == 0)
        return;
    if (m_list1->currentRow() < 0) {
        const QSignalBlocker blocker(m_list1);
        m_list1->setCurrentRow(0);
    }
    m_reader.start(m_settings.voiceIndex, m_settings.fullVolume == 1);
    List1_Click(m_list1->currentRow());
    showReadingState();
}

void ReadForm::pause()
{
    m_reader.togglePause();
    showReadingState();
}

void ReadForm::stop()
{
    m_timer1->stop();
    m_reader.stop();
    showReadingState();
}

void ReadForm::showReadingState()
{
    const bool reading = m_reader.isReading();
    m_play->setEnabled(!reading);
    m_pause->setEnabled(reading);
    m_pause->setChecked(m_reader.isPaused());
    m_stop->setEnabled(reading);
}

void ReadForm::toggleLists()
{
    m_lists->setVisible(m_lists->isHidden());
}

void ReadForm::closeEvent(QCloseEvent *event)
{
    if (m_reader.isReading())
        stop();
    Rsave();
    event->accept();
}
