#include "app/project_store.h"
#include "app/settings.h"
#include "app/ui/main_toolbar.h"
#include "app/ui/main_window.h"
#include "common/ini_file.h"
#include "common/text_codec.h"
#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/name_finder_pane.h"
#include "import/ui/book_editor_window.h"

#include "support/code_page_text.h"
#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"
#include "support/zip_writer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString kIni = QStringLiteral("Lectorium.ini");

class BookEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writeCp1251(kIni, QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\n"));
        settings.coefficient1 = 21;
    }

    std::unique_ptr<BookEditorWindow> open()
    {
        auto window = std::make_unique<BookEditorWindow>(folder.path(), settings, dialogs);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    static QPlainTextEdit *text(QWidget *w) { return child<QPlainTextEdit>(w, "bookTextEdit"); }
    static QString selection(QWidget *w)
    {
        return text(w)->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    static void click(QWidget *w, const char *name) { QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton); }
    static void trigger(QWidget *w, const char *action) { child<QAction>(w, action)->trigger(); }

    static BookEditorWindow *openEditor()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *editor = qobject_cast<BookEditorWindow *>(w); editor && editor->isVisible())
                return editor;
        }
        return nullptr;
    }

    TempProgramFolder folder;
    Settings settings;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(BookEditorTest, FictionBookFillsTextTitleAndInformation)
{
    REQUIRE_SHARED_DATA();
    auto w = open();
    const QString book = sharedDataPath(QStringLiteral("books/fb2/war-and-peace-demo.cp1251.fb2"));
    w->openGivenFile(book);

    EXPECT_EQ(child<QLineEdit>(w.get(), "titleEdit")->text(), QStringLiteral("Война и мир")); // its own title
    EXPECT_EQ(child<QLineEdit>(w.get(), "sourceFileEdit")->text(), book);
    EXPECT_EQ(child<QLineEdit>(w.get(), "informationField0")->text(), QStringLiteral("Война и мир"));
    EXPECT_EQ(child<QPlainTextEdit>(w.get(), "informationField3")->toPlainText(), QStringLiteral("Лев Толстой"));
    EXPECT_EQ(child<QLineEdit>(w.get(), "informationField4")->text(), QStringLiteral("history_russia"));
    EXPECT_TRUE(
        child<QPlainTextEdit>(w.get(), "informationField5")->toPlainText().contains(QStringLiteral("тестовый файл")));
    EXPECT_TRUE(w->bookText().contains(QStringLiteral("\r\n")));
    EXPECT_TRUE(w->bookText().contains(QStringLiteral("Война и мир")));
    EXPECT_TRUE(child<QPushButton>(w.get(), "addBookButton")->isEnabled());
    EXPECT_TRUE(child<QLabel>(w.get(), "bookDurationLabel")->text().startsWith(QStringLiteral("~ ")));
    // The book's cover is shown beside the information fields.
    const QLabel *cover = child<QLabel>(w.get(), "coverLabel");
    EXPECT_TRUE(cover->isVisibleTo(w.get()));
    EXPECT_FALSE(cover->pixmap().isNull());
    // The settings are saved after a load, with the book's folder.
    EXPECT_EQ(readIni(QStringLiteral("Добавление книги"), QStringLiteral("Начальный каталог"), folder.file(kIni)),
              book.left(book.lastIndexOf(u'/') + 1));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(BookEditorTest, ChapterPreviewRowsSelectTheirHeading)
{
    auto w = open();
    w->setBookText(QStringLiteral("Пролог.\r\nГлава 1\r\nТекст первой главы.\r\nГлава 2\r\nТекст второй главы.\r\n"));
    child<QLineEdit>(w.get(), "titleEdit")->setText(QStringLiteral("Книга"));
    child<QCheckBox>(w.get(), "splitByChapters")->setChecked(true);
    child<QCheckBox>(w.get(), "splitBySize")->setChecked(false);
    w->askIdentifier = [] { return std::optional<QString>(QStringLiteral("Глава #")); };
    click(w.get(), "addIdentifierButton");
    ASSERT_EQ(w->identifiers().size(), 1);
    EXPECT_TRUE(w->identifiers().first().flag);

    click(w.get(), "previewChaptersButton");
    auto *table = child<QTreeWidget>(w.get(), "chapterPreviewList");
    EXPECT_TRUE(child<QGroupBox>(w.get(), "previewFrame")->isVisible());
    EXPECT_FALSE(child<QGroupBox>(w.get(), "textProcessingFrame")->isVisible());
    EXPECT_EQ(child<QPushButton>(w.get(), "stopPreviewButton")->text(), QStringLiteral("Ok"));
    ASSERT_EQ(table->topLevelItemCount(), 3);
    EXPECT_EQ(table->topLevelItem(0)->text(0), QStringLiteral("Книга"));
    EXPECT_EQ(table->topLevelItem(2)->text(0), QStringLiteral("Глава 2"));
    EXPECT_EQ(table->topLevelItem(2)->text(1).size(), 8); // hh:mm:ss

    emit table->itemClicked(table->topLevelItem(2), 0);
    EXPECT_EQ(selection(w.get()).trimmed(), QStringLiteral("Глава 2"));
    EXPECT_TRUE(text(w.get())->hasFocus());

    click(w.get(), "stopPreviewButton");
    EXPECT_FALSE(child<QGroupBox>(w.get(), "previewFrame")->isVisible());
    EXPECT_TRUE(child<QGroupBox>(w.get(), "textProcessingFrame")->isVisible());
}

TEST_F(BookEditorTest, FindReplaceAndUndo)
{
    auto w = open();
    const QString original = QStringLiteral("Кот и кот.\r\n\r\nКОТ ушёл.");
    w->setBookText(original);
    child<QCheckBox>(w.get(), "showFindReplace")->setChecked(true);
    EXPECT_TRUE(child<QFrame>(w.get(), "findFrame")->isVisible());
    auto *find = child<QLineEdit>(w.get(), "findEdit");
    auto *replacement = child<QLineEdit>(w.get(), "replaceEdit");
    auto *undo = child<QPushButton>(w.get(), "undoReplaceButton");

    // An empty search text neither finds nor replaces anything.
    click(w.get(), "findNextButton");
    click(w.get(), "replaceAllButton");
    EXPECT_EQ(w->bookText(), original);
    EXPECT_FALSE(undo->isEnabled());

    find->setText(QStringLiteral("кот"));
    click(w.get(), "findNextButton");
    EXPECT_EQ(text(w.get())->textCursor().selectionStart(), 0);
    click(w.get(), "findNextButton");
    EXPECT_EQ(text(w.get())->textCursor().selectionStart(), 6);
    EXPECT_EQ(selection(w.get()), QStringLiteral("кот"));

    replacement->setText(QStringLiteral("пёс"));
    click(w.get(), "replaceAllButton");
    EXPECT_EQ(w->bookText(), QStringLiteral("пёс и пёс.\r\n\r\nпёс ушёл."));
    ASSERT_TRUE(undo->isEnabled());
    click(w.get(), "undoReplaceButton");
    EXPECT_EQ(w->bookText(), original);
    EXPECT_FALSE(undo->isEnabled());

    child<QCheckBox>(w.get(), "matchCase")->setChecked(true);
    click(w.get(), "replaceAllButton");
    EXPECT_EQ(w->bookText(), QStringLiteral("Кот и пёс.\r\n\r\nКОТ ушёл."));
}

TEST_F(BookEditorTest, EditMenuSelectsTitlesCasesAndSavesSelections)
{
    auto w = open();
    w->setBookText(QStringLiteral("«ВОЙНА И МИР». Том 1\r\nТекст."));
    QPlainTextEdit *edit = text(w.get());

    edit->moveCursor(QTextCursor::Start);
    trigger(w.get(), "selectToStartAction");
    EXPECT_FALSE(edit->textCursor().hasSelection());
    emit edit->customContextMenuRequested({});
    EXPECT_FALSE(child<QAction>(w.get(), "cutAction")->isEnabled());
    EXPECT_FALSE(child<QAction>(w.get(), "identifierFromSelectionAction")->isEnabled());
    w->editMenu()->hide();

    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(20, QTextCursor::KeepAnchor); // the first line
    edit->setTextCursor(cursor);
    emit edit->customContextMenuRequested({});
    EXPECT_TRUE(child<QAction>(w.get(), "cutAction")->isEnabled());
    w->editMenu()->hide();

    // The title keeps the book's letter case; only the case command changes it.
    trigger(w.get(), "titleFromSelectionAction");
    EXPECT_EQ(child<QLineEdit>(w.get(), "titleEdit")->text(), QStringLiteral("«ВОЙНА И МИР» - Том 1"));

    w->chooseSaveFile = [this] { return folder.file(QStringLiteral("часть")); };
    trigger(w.get(), "saveSelectionAction");
    EXPECT_EQ(Codec::fromCp1251(folder.readBytes(QStringLiteral("часть.txt"))), QStringLiteral("«ВОЙНА И МИР». Том 1"));
    w->chooseSaveFile = [this] { return folder.file(QStringLiteral("Lectorium.ini/часть")); };
    trigger(w.get(), "saveSelectionAction");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Critical);

    trigger(w.get(), "properCaseAction");
    EXPECT_EQ(w->bookText(), QStringLiteral("«война И Мир». Том 1\r\nТекст."));

    edit->moveCursor(QTextCursor::End);
    edit->moveCursor(QTextCursor::StartOfLine);
    trigger(w.get(), "selectToEndAction");
    EXPECT_EQ(selection(w.get()), QStringLiteral("Текст."));
    trigger(w.get(), "selectAllAction");
    EXPECT_EQ(selection(w.get()), QStringLiteral("«война И Мир». Том 1\nТекст."));

    trigger(w.get(), "identifierFromSelectionAction");
    ASSERT_EQ(w->identifiers().size(), 1);
    EXPECT_EQ(w->identifiers().first().name, QStringLiteral("«война И Мир». Том 1"));

    // A title too long for a folder name is refused with a warning.
    w->setBookText(QString(129, QChar(u'я')));
    edit->selectAll();
    trigger(w.get(), "titleFromSelectionAction");
    EXPECT_EQ(child<QLineEdit>(w.get(), "titleEdit")->text(), QStringLiteral("«ВОЙНА И МИР» - Том 1"));
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_EQ(dialogs.shown.last().title, QStringLiteral("Неправильное название книги"));
}

TEST_F(BookEditorTest, EstimatesAndTheTwoViewsOfTheBlockSize)
{
    auto w = open();
    // "Коэффициент1" 21 at the 44,100 bytes a second of the voice's files.
    w->setBookText(QString(48000, QChar(u'а')));
    EXPECT_EQ(child<QLabel>(w.get(), "bookDurationLabel")->text(), QStringLiteral("~ 00:40:00"));

    child<QCheckBox>(w.get(), "splitBySize")->setChecked(true);
    auto *slider = child<QSlider>(w.get(), "blockDurationSlider");
    slider->setValue(3);
    slider->setValue(10);
    auto *size = child<QLineEdit>(w.get(), "maxBlockSizeEdit");
    EXPECT_EQ(size->text(), QStringLiteral("6300"));
    EXPECT_EQ(w->options().maxBlockSize(), 6300);
    EXPECT_EQ(child<QLabel>(w.get(), "blockDurationLabel")->text(), QStringLiteral("~ 00:05:00"));

    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("12600"));
    EXPECT_EQ(slider->value(), 20);
}

TEST_F(BookEditorTest, OptionsEnableTheirDependentsAndSurviveARestart)
{
    {
        auto w = open();
        child<QCheckBox>(w.get(), "analyseDialogues")->setChecked(false);
        for (const char *name : {"twoVoiceDialogue", "paragraphWithoutIndent", "dialogueStartsWithQuotes"})
            EXPECT_FALSE(child<QCheckBox>(w.get(), name)->isEnabled()) << name;
        child<QCheckBox>(w.get(), "splitByChapters")->setChecked(false);
        EXPECT_FALSE(child<QListWidget>(w.get(), "chapterIdentifierList")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w.get(), "addIdentifierButton")->isEnabled());
        child<QCheckBox>(w.get(), "splitBySize")->setChecked(false);
        EXPECT_FALSE(child<QLineEdit>(w.get(), "maxBlockSizeEdit")->isEnabled());
        EXPECT_FALSE(child<QSlider>(w.get(), "blockDurationSlider")->isEnabled());

        // Dictionaries while adding: the main window's recording option is
        // on, so the user is told it will be switched off.
        settings.applyDictionaries = true;
        QTest::mouseClick(child<QCheckBox>(w.get(), "applyDictionaries"), Qt::LeftButton);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Information);
        EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("Включена обработка словарем")));

        trigger(w.get(), "wordLengthAction3"); // ">13 букв"
        EXPECT_TRUE(child<QAction>(w.get(), "findAllWordsAction")->isChecked());
        child<QAction>(w.get(), "findForeignWordsAction")->setChecked(false);
        w->saveEditorSettings();
    }
    auto w = open();
    EXPECT_FALSE(child<QCheckBox>(w.get(), "analyseDialogues")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(w.get(), "twoVoiceDialogue")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(w.get(), "splitByChapters")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w.get(), "applyDictionaries")->isChecked());
    EXPECT_TRUE(child<QAction>(w.get(), "wordLengthAction3")->isChecked());
    EXPECT_FALSE(child<QAction>(w.get(), "wordLengthAction2")->isChecked());
    EXPECT_FALSE(child<QAction>(w.get(), "findForeignWordsAction")->isChecked());
    EXPECT_EQ(readIni(QStringLiteral("Поиск имен"), QStringLiteral("Мин кол-во букв в слове"), folder.file(kIni)),
              QStringLiteral("13"));

    QString analysed;
    NameSearchOptions analysedWith;
    w->findNames = [&](const QString &t, const NameSearchOptions &o) {
        analysed = t;
        analysedWith = o;
    };
    w->setBookText(QStringLiteral("Текст"));
    click(w.get(), "analyseWordsButton");
    EXPECT_EQ(analysed, QStringLiteral("Текст"));
    EXPECT_TRUE(analysedWith.longWords);
    EXPECT_EQ(analysedWith.minimumLength, 13);
}

TEST_F(BookEditorTest, DroppedFilesLoadBooksAndNothingElse)
{
    auto w = open();
    w->setBookText(QStringLiteral("Мой текст"));
    folder.writeCp1251(QStringLiteral("picture.png"), QStringLiteral("PNG data"));
    folder.writeCp1251(QStringLiteral("книга.txt"), QStringLiteral("Текст из файла.\r\n"));
    auto drop = [&](const QString &name) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(folder.file(name))});
        QWidget *viewport = text(w.get())->viewport();
        const QPoint at = viewport->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
        QApplication::processEvents();
    };
    drop(QStringLiteral("picture.png"));
    EXPECT_EQ(w->bookText(), QStringLiteral("Мой текст"));
    EXPECT_FALSE(child<QPushButton>(w.get(), "addBookButton")->isEnabled());

    drop(QStringLiteral("книга.txt"));
    EXPECT_EQ(w->bookText(), QStringLiteral("Текст из файла.\r\n"));
    EXPECT_EQ(child<QLineEdit>(w.get(), "titleEdit")->text(), QStringLiteral("книга"));

    ASSERT_TRUE(writeZip(folder.file(QStringLiteral("архив.zip")), {{QStringLiteral("повесть.txt"), "Text in a zip"}}));
    drop(QStringLiteral("архив.zip"));
    EXPECT_EQ(w->bookText(), QStringLiteral("Text in a zip"));
    EXPECT_EQ(child<QLineEdit>(w.get(), "titleEdit")->text(), QStringLiteral("повесть"));
    EXPECT_FALSE(child<QLabel>(w.get(), "coverLabel")->isVisibleTo(w.get()));
}

TEST_F(BookEditorTest, CancellingTheOpenDialogClosesOnlyAnEmptyEditor)
{
    auto w = open();
    QSignalSpy closed(w.get(), &BookEditorWindow::closed);
    w->chooseOpenFile = [](const QString &) { return QString(); };
    w->setBookText(QStringLiteral("Уже есть"));
    QApplication::clipboard()->clear();
    w->loadFromClipboard(); // an empty clipboard changes nothing
    EXPECT_EQ(w->bookText(), QStringLiteral("Уже есть"));

    QApplication::clipboard()->setText(QStringLiteral("Вставленный текст"));
    w->loadFromClipboard();
    w->openFile();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(closed.count(), 0);

    auto fresh = open();
    QSignalSpy freshClosed(fresh.get(), &BookEditorWindow::closed);
    fresh->chooseOpenFile = [](const QString &) { return QString(); };
    fresh->openFile();
    EXPECT_FALSE(fresh->isVisible());
    EXPECT_EQ(freshClosed.count(), 1);
}

// The main window's side: button 1's "Вставить текст", the command line's
// book, and the return with the new book selected.
class MainWindowEditorTest : public BookEditorTest
{
};

TEST_F(MainWindowEditorTest, PastedRtfKeepsOnlyItsText)
{
    MainWindow main(folder.path());
    main.setDialogs(&dialogs);
    main.show();
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"),
                  QByteArray("{\\rtf1\\ansi\\ansicpg1251 {\\b \\'c6\\'e8\\'f0\\'ed\\'fb\\'e9} "
                             "text\\par Second line\\par}"));
    data->setText(QStringLiteral("plain"));
    QApplication::clipboard()->setMimeData(data);

    main.findChild<MainToolbar *>()->menuItem(ToolbarButton::AddBook, 2)->trigger();
    QPointer<BookEditorWindow> editor = openEditor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(editor->bookText().startsWith(QStringLiteral("Жирный text\r\nSecond line")));
    EXPECT_EQ(child<QLineEdit>(editor, "titleEdit")->text(), QStringLiteral("Введите название книги!"));

    // Leaving the title field keeps the prompt, and adding under it is
    // refused; the editor stays.
    emit child<QLineEdit>(editor, "titleEdit")->editingFinished();
    EXPECT_EQ(child<QLineEdit>(editor, "titleEdit")->text(), QStringLiteral("Введите название книги!"));
    click(editor, "addBookButton");
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_EQ(dialogs.shown.last().title, QStringLiteral("Не указано название книги..."));
    EXPECT_TRUE(editor->isVisible());

    click(editor, "cancelButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editor);
    EXPECT_TRUE(main.isEnabled());
}

TEST_F(MainWindowEditorTest, CommandLineBookIsAddedAndSelected)
{
    REQUIRE_SHARED_DATA();
    MainWindow main(folder.path(), sharedDataPath(QStringLiteral("books/txt/kashtanka.cp1251.txt")));
    main.setDialogs(&dialogs);
    main.show();
    QPointer<BookEditorWindow> editor = openEditor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(main.isEnabled());
    EXPECT_EQ(child<QLineEdit>(editor, "titleEdit")->text(), QStringLiteral("kashtanka.cp1251"));
    child<QLineEdit>(editor, "titleEdit")->setText(QStringLiteral("Каштанка"));

    click(editor, "addBookButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editor);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(main.currentBook(), QStringLiteral("Каштанка"));

    const QString project = bookFolder(folder.path(), QStringLiteral("Каштанка"));
    const int blocks = QDir(project).entryList({QStringLiteral("*.txt")}, QDir::Files).size();
    EXPECT_GT(blocks, 1) << QDir(project).entryList().join(u' ').toStdString() << " " << main.blockCount();
    EXPECT_EQ(main.blockCount(), blocks);
    EXPECT_EQ(child<QLabel>(&main, "blockCountLabel")->text(), QString::number(blocks));
    EXPECT_EQ(child<QLineEdit>(&main, "firstBlockEdit")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>(&main, "lastBlockEdit")->text(), QString::number(blocks));
}

TEST_F(MainWindowEditorTest, CancelledOpenDialogReturnsToTheMainWindow)
{
    MainWindow main(folder.path());
    main.setDialogs(&dialogs);
    main.show();
    bool dialogSeen = false;
    QTimer::singleShot(300, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            dialogSeen = true;
            dialog->close();
        }
    });
    main.findChild<MainToolbar *>()->button(ToolbarButton::AddBook)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(openEditor(), nullptr);
    EXPECT_TRUE(main.isEnabled());
}

TEST_F(BookEditorTest, WordAnalysisOpensTheDictionaryEditorWhichClosesWithTheEditor)
{
    auto w = open();
    w->setBookText(QStringLiteral("Иван Петрович встретил Ивана в Москве. Москва велика."));
    click(w.get(), "analyseWordsButton");
    QPointer<DictionaryEditorWindow> dictionaryEditor = w->findChild<DictionaryEditorWindow *>();
    ASSERT_TRUE(dictionaryEditor);
    EXPECT_TRUE(dictionaryEditor->isVisible());
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(dictionaryEditor->isVisible());
}

// The analysis lists the words whose stress the program cannot decide,
// less those a dictionary already changes; one of them becomes an entry of
// the dictionary with only its stress left to place.
TEST_F(BookEditorTest, WordsOfUnknownStressGoFromTheAnalysisIntoTheDictionary)
{
    QDir().mkpath(folder.file(QStringLiteral("Dic")));
    folder.writeCp1251(QStringLiteral("Dic/main.dic"),
                       QStringLiteral("//Словарь Lectorium\r\nбумбарашкин=бумбара<шкин\r\n"));
    auto w = open();
    w->setBookText(QStringLiteral("Замок был стар. Бумбарашкин открыл замок и выпил молоко."));
    click(w.get(), "analyseWordsButton");
    auto *dictionaryEditor = w->findChild<DictionaryEditorWindow *>();
    ASSERT_NE(dictionaryEditor, nullptr);
    auto *list = child<QTreeWidget>(dictionaryEditor, "unknownStressList");
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.append(list->topLevelItem(i)->text(0) + u' ' + list->topLevelItem(i)->text(1));
    EXPECT_EQ(rows, QStringList{QStringLiteral("замок 2")});
    EXPECT_TRUE(child<QLabel>(dictionaryEditor, "unknownStressNote")->isHidden());

    child<QTabWidget>(dictionaryEditor, "listTabs")->setCurrentIndex(NameFinderPane::UnknownStress);
    list->setCurrentItem(list->topLevelItem(0));
    click(dictionaryEditor, "editWordButton");
    EXPECT_EQ(child<QLineEdit>(dictionaryEditor, "wordEdit")->text(), QStringLiteral("замок"));
    auto *pronunciation = child<QLineEdit>(dictionaryEditor, "pronunciationEdit");
    EXPECT_EQ(pronunciation->text(), QStringLiteral("замок"));
    pronunciation->setCursorPosition(2);
    click(dictionaryEditor, "insertStressButton");
    click(dictionaryEditor, "addEntryButton");
    click(dictionaryEditor, "saveDictionaryButton");
    EXPECT_EQ(Codec::fromCp1251(folder.readBytes(QStringLiteral("Dic/main.dic"))),
              QStringLiteral("//Словарь Lectorium\r\nбумбарашкин=бумбара<шкин\r\nзамок=за<мок\r\n// End of file\r\n"));
}

TEST_F(BookEditorTest, WithoutAStressLexiconTheAnalysisSaysSoInsteadOfListingEveryWord)
{
    QDir().mkpath(folder.file(QStringLiteral("Stress")));
    folder.writeCp1251(QStringLiteral("Stress/ru-stress.lex"), QStringLiteral("испорченный файл"));
    auto w = open();
    w->setBookText(QStringLiteral("Замок был стар. Бумбарашкин открыл замок и выпил молоко."));
    click(w.get(), "analyseWordsButton");
    auto *dictionaryEditor = w->findChild<DictionaryEditorWindow *>();
    ASSERT_NE(dictionaryEditor, nullptr);
    EXPECT_EQ(child<QTreeWidget>(dictionaryEditor, "unknownStressList")->topLevelItemCount(), 0);
    auto *note = child<QLabel>(dictionaryEditor, "unknownStressNote");
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("Словарь ударений не загружен"))) << note->text().toStdString();
    EXPECT_TRUE(note->text().contains(QStringLiteral("ru-stress.lex")));
}

// On loading, the editor looks at the book: paragraphs neither indented nor
// set apart by empty lines switch "no indent" on; a FictionBook book, whose
// sections follow three empty lines, switches that identifier on, any other
// book off. The status line tells what was chosen.
TEST_F(BookEditorTest, LoadingABookChoosesItsParagraphAndSectionRules)
{
    REQUIRE_SHARED_DATA();
    ASSERT_TRUE(saveChapterIdentifiers(folder.path(),
                                       {{QStringLiteral("Глава {номер}"), true}, {QStringLiteral("\\\\\\"), false}}));
    auto w = open();
    auto *withoutIndent = child<QCheckBox>(w.get(), "paragraphWithoutIndent");
    auto sectionRuleOn = [&] { return w->identifiers().value(1).flag; };
    auto *status = w->statusBar();

    folder.writeCp1251(QStringLiteral("плоская.txt"),
                       QStringLiteral("Глава первая\r\nОн вошёл.\r\n- Кто там?\r\nТишина.\r\n"));
    w->openGivenFile(folder.file(QStringLiteral("плоская.txt")));
    EXPECT_TRUE(withoutIndent->isChecked());
    EXPECT_FALSE(sectionRuleOn());
    EXPECT_TRUE(status->currentMessage().contains(QStringLiteral("без отступов")))
        << status->currentMessage().toStdString();

    w->openGivenFile(sharedDataPath(QStringLiteral("books/fb2/war-and-peace-demo.utf8.fb2")));
    EXPECT_FALSE(withoutIndent->isChecked()); // its paragraphs are indented
    EXPECT_TRUE(sectionRuleOn());
    EXPECT_TRUE(status->currentMessage().contains(QStringLiteral("FictionBook")))
        << status->currentMessage().toStdString();

    w->openGivenFile(sharedDataPath(QStringLiteral("books/txt/kashtanka.cp1251.txt")));
    EXPECT_FALSE(withoutIndent->isChecked());
    EXPECT_FALSE(sectionRuleOn());
}

// The issue's KOI8-R book opens in its own letters; the list beside the
// file name reads the file again in the encoding picked there, after asking
// when the text was edited; a garbled text is never "Ok!".
TEST_F(BookEditorTest, TheEncodingListReadsTheFileAgain)
{
    auto w = open();
    const QString story = QStringLiteral("Лев Николаевич Толстой. Воскресение.\r\nКак ни старались люди, собравшись "
                                         "в одно небольшое место несколько сот тысяч, изуродовать ту землю...");
    const QByteArray koi8 = inCodePage(story, Codec::CodePage::Koi8R);
    const QString path = folder.file(QStringLiteral("Воскресение.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(koi8);
    file.close();
    auto *list = child<QComboBox>(w.get(), "encodingList");
    EXPECT_FALSE(list->isEnabled()); // nothing read yet

    w->openGivenFile(path);
    EXPECT_EQ(w->bookText(), story);
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(list->currentText(), QStringLiteral("Автоматически"));
    EXPECT_TRUE(w->statusBar()->currentMessage().startsWith(
        QStringLiteral("Конвертация файла: Ok! KOI8-R (определена по буквам текста)")));
    EXPECT_EQ(list->count(), 7);

    const auto choose = [&](const QString &caption) {
        list->setCurrentIndex(list->findText(caption));
        emit list->activated(list->currentIndex());
    };
    choose(QStringLiteral("Windows-1251"));
    EXPECT_EQ(w->bookText(), Codec::fromCp1251(koi8));
    EXPECT_TRUE(w->statusBar()->currentMessage().startsWith(
        QStringLiteral("Конвертация файла: в кодировке Windows-1251 буквы не похожи на русский текст. Выберите "
                       "кодировку в списке рядом с именем файла.")))
        << w->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(dialogs.shown.isEmpty()); // the user chose: the status line says it

    // Edited text is not thrown away unasked: "No" keeps it and the list.
    w->setBookText(QStringLiteral("Правка"));
    dialogs = ScriptedDialogs({DialogAnswer::No});
    choose(QStringLiteral("KOI8-R"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::YesNo);
    EXPECT_EQ(w->bookText(), QStringLiteral("Правка"));
    EXPECT_EQ(list->currentText(), QStringLiteral("Windows-1251"));
    dialogs = ScriptedDialogs({DialogAnswer::Yes});
    choose(QStringLiteral("KOI8-R"));
    EXPECT_EQ(w->bookText(), story);
    EXPECT_EQ(list->currentText(), QStringLiteral("KOI8-R"));

    // A file whose letters read as Russian in no encoding: warned at once.
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>(128 + (i * 37) % 128));
    QFile junkFile(folder.file(QStringLiteral("junk.txt")));
    ASSERT_TRUE(junkFile.open(QIODevice::WriteOnly));
    junkFile.write(junk);
    junkFile.close();
    dialogs = ScriptedDialogs();
    w->openGivenFile(folder.file(QStringLiteral("junk.txt")));
    EXPECT_EQ(list->currentText(), QStringLiteral("Автоматически"));
    EXPECT_FALSE(w->statusBar()->currentMessage().contains(QStringLiteral("Ok!")));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("выберите кодировку в списке")))
        << dialogs.shown[0].text.toStdString();
}
