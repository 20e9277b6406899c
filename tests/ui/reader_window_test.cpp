// The reader window offscreen: books and chapters, reading aloud into the
// silent sink with the word being heard coloured, and its fonts and colours.

#include "app/project_store.h"
#include "app/settings.h"
#include "app/ui/main_window.h"
#include "reader/ui/reader_style.h"
#include "reader/ui/reader_style_dialogs.h"
#include "reader/ui/reader_window.h"
#include "recording/speech/speech_voice.h"

#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Chapter end waits: speech into the silent sink goes at the pace it would
// be heard, and a busy machine may be slower still.
constexpr int kGenerousMsecs = 60000;

class AnsweringStyleDialogs : public ReaderStyleDialogs
{
public:
    std::optional<QFont> chooseFont(QWidget *, const QFont &current) override
    {
        offeredFont = current;
        return font;
    }
    std::optional<QColor> chooseColour(QWidget *, const QColor &, const QString &) override
    {
        return colours.isEmpty() ? std::nullopt : std::optional<QColor>(colours.takeFirst());
    }

    std::optional<QFont> font;
    QFont offeredFont;
    QList<QColor> colours;
};

class ReaderWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        settings.voiceIndex = SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
        ASSERT_GE(settings.voiceIndex, 0) << "espeak-ng has no Russian voice";
        writeBlock(
            QStringLiteral("Рассказ"), 1,
            QStringLiteral(
                "Первая глава\r\n {речь->}  - Кот спит, {автор->}  - сказал он. {повествование->}  {пауза->} \r\n"));
        writeBlock(QStringLiteral("Рассказ"), 2, QStringLiteral("Вторая глава\r\n Пёс лает.\r\n"));
        writeBlock(QStringLiteral("Рассказ"), 3, QStringLiteral("Третья глава\r\n Конец.\r\n"));
        folder.writeCp1251(QStringLiteral("Projects/Рассказ/project.ini"),
                           QStringLiteral("[Оглавление]\r\nКол-во=3\r\nБлок1=Кот\r\nБлок2=Пёс\r\nБлок3=Конец\r\n"));
        writeBlock(QStringLiteral("Без оглавления"), 1, QStringLiteral("Один\r\n"));
        writeBlock(QStringLiteral("Без оглавления"), 2, QStringLiteral("Два\r\n"));
    }

    void writeBlock(const QString &book, int n, const QString &text)
    {
        folder.writeCp1251(QStringLiteral("Projects/%1/%2").arg(book, blockFileName(n)), text);
    }

    std::unique_ptr<ReaderWindow> open(const QString &book = QStringLiteral("Рассказ"))
    {
        auto window = std::make_unique<ReaderWindow>(
            folder.path(), QStringList{QStringLiteral("Без оглавления"), QStringLiteral("Рассказ")}, book, settings);
        window->setStyleDialogs(&styleDialogs);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    static void press(QWidget *w, const char *key) { child<QAction>(w, key)->trigger(); }

    static QStringList items(QListWidget *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }

    // The colour of the character at `position` of the view; invalid where it
    // has the view's own text colour.
    static QColor colourAt(QPlainTextEdit *view, int position)
    {
        QTextCursor cursor(view->document());
        cursor.setPosition(position + 1);
        const QTextCharFormat format = cursor.charFormat();
        return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor();
    }

    // The first run of characters in `colour`, as [start, end); empty when
    // there is none.
    static std::pair<int, int> colouredRun(QPlainTextEdit *view, const QColor &colour)
    {
        const int size = view->document()->characterCount() - 1;
        int start = 0;
        while (start < size && colourAt(view, start) != colour)
            ++start;
        int end = start;
        while (end < size && colourAt(view, end) == colour)
            ++end;
        return {start, end};
    }

    TempProgramFolder folder;
    Settings settings;
    AnsweringStyleDialogs styleDialogs;
};

} // namespace

TEST_F(ReaderWindowTest, OpensOnTheLibrarysBookAndShowsChaptersWithoutMarkers)
{
    auto w = open();
    auto *combo = child<QComboBox>(w.get(), "bookCombo");
    auto *list = child<QListWidget>(w.get(), "chapterList");
    auto *view = child<QPlainTextEdit>(w.get(), "textView");
    EXPECT_EQ(combo->currentText(), QStringLiteral("Рассказ"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(items(list),
              QStringList({QStringLiteral("[1] Кот"), QStringLiteral("[2] Пёс"), QStringLiteral("[3] Конец")}));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("Первая глава\n    - Кот спит, - сказал он.\n"));
    EXPECT_EQ(child<QLabel>(w.get(), "bookLabel")->text(), QStringLiteral("Рассказ"));
    EXPECT_EQ(child<QLabel>(w.get(), "chapterLabel")->text(), QStringLiteral("[1] Кот"));

    list->setCurrentRow(1);
    EXPECT_EQ(view->toPlainText(), QStringLiteral("Вторая глава\n    Пёс лает.\n"));
    EXPECT_EQ(child<QLabel>(w.get(), "chapterLabel")->text(), QStringLiteral("[2] Пёс"));

    combo->setCurrentIndex(0);
    EXPECT_EQ(items(list), QStringList({QStringLiteral("[1] Блок 1"), QStringLiteral("[2] Блок 2")}));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("Один\n"));
    EXPECT_EQ(child<QLabel>(w.get(), "bookLabel")->text(), QStringLiteral("Без оглавления"));

    // A block file that is missing shows an empty text.
    QFile::remove(folder.file(QStringLiteral("Projects/Без оглавления/0002.txt")));
    list->setCurrentRow(1);
    EXPECT_EQ(view->toPlainText(), QString());

    press(w.get(), "toggleListsAction");
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(combo->isVisible());
    press(w.get(), "toggleListsAction");
    EXPECT_TRUE(list->isVisible());
}

TEST_F(ReaderWindowTest, PrevOnTheFirstAndNextOnTheLastChapterDoNothing)
{
    auto w = open();
    auto *list = child<QListWidget>(w.get(), "chapterList");
    press(w.get(), "previousChapterAction");
    EXPECT_EQ(list->currentRow(), 0);
    press(w.get(), "nextChapterAction");
    press(w.get(), "nextChapterAction");
    EXPECT_EQ(list->currentRow(), 2);
    press(w.get(), "nextChapterAction");
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(child<QPlainTextEdit>(w.get(), "textView")->toPlainText(), QStringLiteral("Третья глава\n    Конец.\n"));
    press(w.get(), "previousChapterAction");
    EXPECT_EQ(list->currentRow(), 1);
}

TEST_F(ReaderWindowTest, ReadingColoursTheWordHeardAndGoesOnToTheEndOfTheBook)
{
    auto w = open();
    auto *list = child<QListWidget>(w.get(), "chapterList");
    auto *view = child<QPlainTextEdit>(w.get(), "textView");
    const QString text = view->toPlainText();
    press(w.get(), "playAction");
    ASSERT_TRUE(w->isReading());

    // The coloured word walks forward through the words of the shown text,
    // with everything before it in the colour of text already read.
    const QColor reading = colourFromNumber(w->readerSettings().reading);
    const QColor read = colourFromNumber(w->readerSettings().read);
    QList<int> starts;
    QStringList words;
    QElapsedTimer clock;
    clock.start();
    while (list->currentRow() == 0 && clock.elapsed() < kGenerousMsecs) {
        QTest::qWait(10);
        const auto [start, end] = colouredRun(view, reading);
        if (start == end || (!starts.isEmpty() && starts.last() == start))
            continue;
        starts.append(start);
        words.append(text.mid(start, end - start));
        if (start > 0) {
            EXPECT_EQ(colouredRun(view, read), std::pair(0, start));
        }
        EXPECT_EQ(view->textCursor().position(), start) << "the caret follows the reading";
    }
    EXPECT_GE(starts.size(), 3) << words.join(u'|').toStdString();
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
    // Whole words of the text, the dash that is read out included.
    QStringList expected;
    for (QString token : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        expected.append(token.remove(QRegularExpression(QStringLiteral("[,.]$"))));
    for (const QString &word : words)
        EXPECT_TRUE(expected.contains(word)) << word.toStdString();
    ASSERT_EQ(list->currentRow(), 1) << "the end of a chapter moves on to the next";
    EXPECT_EQ(view->toPlainText(), QStringLiteral("Вторая глава\n    Пёс лает.\n"));
    EXPECT_FALSE(colourAt(view, int(view->toPlainText().size()) - 2).isValid()) << "the next chapter starts unread";
    EXPECT_TRUE(w->isReading());

    // After the last chapter reading ends and Play starts again.
    auto *timer = child<QTimer>(w.get(), "readingTimer");
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), kGenerousMsecs);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_FALSE(w->isReading());
    press(w.get(), "playAction");
    EXPECT_TRUE(w->isReading());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(list->currentRow(), 2);
}

TEST_F(ReaderWindowTest, StopAndPlayAgainReadTheChapterFromItsBeginning)
{
    writeBlock(QStringLiteral("Рассказ"), 1,
               QStringLiteral("Длинная глава, в которой очень много слов, чтобы её успели остановить "
                              "задолго до конца, а потом начали читать с самого начала.\r\n"));
    auto w = open();
    auto *view = child<QPlainTextEdit>(w.get(), "textView");
    press(w.get(), "playAction");
    const QColor reading = colourFromNumber(w->readerSettings().reading);
    auto heard = [&] { return colouredRun(view, reading); };
    QTRY_VERIFY_WITH_TIMEOUT(heard().first < heard().second && heard().first > 20, kGenerousMsecs);

    auto *pause = child<QAction>(w.get(), "pauseAction");
    EXPECT_FALSE(child<QAction>(w.get(), "playAction")->isEnabled()) << "Play does nothing while reading";
    press(w.get(), "pauseAction");
    EXPECT_TRUE(pause->isChecked());
    const auto held = heard();
    QTest::qWait(500);
    EXPECT_EQ(heard(), held) << "no colouring moves while paused";
    press(w.get(), "pauseAction");
    QTRY_VERIFY_WITH_TIMEOUT(heard().first > held.first, kGenerousMsecs);
    press(w.get(), "stopAction");
    EXPECT_FALSE(w->isReading());
    EXPECT_FALSE(child<QTimer>(w.get(), "readingTimer")->isActive());
    EXPECT_FALSE(pause->isChecked());
    EXPECT_FALSE(pause->isEnabled());

    press(w.get(), "playAction");
    EXPECT_FALSE(colourAt(view, 0).isValid()) << "the chapter is shown afresh in the unread colour";
    QTRY_VERIFY_WITH_TIMEOUT(heard().first < heard().second, kGenerousMsecs);
    EXPECT_LT(heard().first, 20);
    EXPECT_EQ(child<QListWidget>(w.get(), "chapterList")->currentRow(), 0);

    w->close();
    EXPECT_FALSE(w->isReading()) << "closing the window ends the reading";
}

TEST_F(ReaderWindowTest, FontsAndColoursSurviveARestart)
{
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSizeF(17.5);
    chosen.setBold(true);
    chosen.setItalic(true);
    styleDialogs.font = chosen;
    styleDialogs.colours = {QColor(10, 20, 30), QColor(200, 210, 220), QColor(255, 0, 0), QColor(0, 0, 255)};
    {
        auto w = open();
        child<QAction>(w.get(), "fontAction")->trigger();
        for (const char *item :
             {"backgroundColourAction", "textColourAction", "readingWordColourAction", "readTextColourAction"})
            child<QAction>(w.get(), item)->trigger();
        w->close();
    }
    auto w = open();
    const auto *view = child<QPlainTextEdit>(w.get(), "textView");
    EXPECT_EQ(view->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(view->font().pointSizeF(), 17.5);
    EXPECT_TRUE(view->font().bold());
    EXPECT_TRUE(view->font().italic());
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_EQ(view->palette().color(QPalette::Text), QColor(200, 210, 220));
    EXPECT_EQ(w->readerSettings().reading, 0x0000FF);
    EXPECT_EQ(w->readerSettings().read, 0xFF0000);

    // The font dialog is preset with the current font; a cancelled colour
    // dialog changes nothing.
    styleDialogs.font.reset();
    child<QAction>(w.get(), "fontAction")->trigger();
    EXPECT_EQ(styleDialogs.offeredFont.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(styleDialogs.offeredFont.pointSizeF(), 17.5);
    child<QAction>(w.get(), "backgroundColourAction")->trigger();
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(10, 20, 30));
}

TEST_F(ReaderWindowTest, MainWindowButtonSevenOpensTheReaderOnTheSelectedBook)
{
    folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\n"));
    ScriptedDialogs dialogs;
    MainWindow main(folder.path());
    main.setDialogs(&dialogs);
    main.show();
    ASSERT_TRUE(main.selectBook(QStringLiteral("Рассказ")));
    QAction *button = child<QAction>(&main, "readAloudButton");
    ASSERT_TRUE(button->isEnabled());
    button->trigger();
    auto *reader = main.findChild<ReaderWindow *>(QStringLiteral("ReaderWindow"));
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(reader->isVisible());
    EXPECT_EQ(child<QComboBox>(reader, "bookCombo")->currentText(), QStringLiteral("Рассказ"));
    EXPECT_EQ(child<QComboBox>(reader, "bookCombo")->count(), 2);
    button->trigger();
    EXPECT_EQ(main.findChildren<ReaderWindow *>().size(), 1) << "one reader per main window";
}
