#include "app/project_store.h"
#include "app/ui/chapter_picker.h"
#include "app/ui/main_window.h"
#include "app/ui/single_instance.h"
#include "common/ini_file.h"
#include "common/name_flag_list.h"
#include "recording/recording_progress.h"

#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kIni = QStringLiteral("Lectorium.ini");

// A program folder with a few books and settings that skip the first-start
// message.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { folder.writeCp1251(kIni, QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\n")); }

    void addBook(const QString &name, int blocks, const QString &ini = {})
    {
        for (int i = 1; i <= blocks; ++i)
            folder.writeCp1251(QStringLiteral("Projects/%1/%2").arg(name, blockFileName(i)),
                               QStringLiteral("Текст\r\n"));
        if (!ini.isEmpty())
            folder.writeCp1251(QStringLiteral("Projects/%1/project.ini").arg(name), ini);
    }

    std::unique_ptr<MainWindow> open()
    {
        auto window = std::make_unique<MainWindow>(folder.path());
        window->setDialogs(&dialogs);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    static void enterText(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    TempProgramFolder folder;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(MainWindowTest, RangeBoxesRefuseAndAccept)
{
    addBook(QStringLiteral("Книга"), 10, QStringLiteral("[Статус]\r\nНачальный блок=2\r\nКонечный блок=5\r\n"));
    auto w = open();
    auto *firstBlockEdit = child<QLineEdit>(w.get(), "firstBlockEdit");
    auto *lastBlockEdit = child<QLineEdit>(w.get(), "lastBlockEdit");
    EXPECT_EQ(firstBlockEdit->text(), QStringLiteral("2"));
    EXPECT_EQ(lastBlockEdit->text(), QStringLiteral("5"));
    EXPECT_EQ(child<QLabel>(w.get(), "blockCountLabel")->text(), QStringLiteral("10"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lectorium - Книга"));

    for (const QString &bad : {QStringLiteral("0"), QStringLiteral("11"), QStringLiteral("abc")}) {
        dialogs.shown.clear();
        enterText(firstBlockEdit, bad);
        ASSERT_EQ(dialogs.shown.size(), 1) << bad.toStdString();
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Неправильный номер блока!"));
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Неправильный номер блока!\nВведите число от 1 до 10"));
        EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Critical);
        EXPECT_EQ(firstBlockEdit->text(), QStringLiteral("2")); // a valid value back
    }

    dialogs.shown.clear();
    enterText(firstBlockEdit, QStringLiteral("8")); // beyond the last block: the last block follows
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(lastBlockEdit->text(), QStringLiteral("8"));
    const QString ini = projectIniPath(bookFolder(folder.path(), QStringLiteral("Книга")));
    EXPECT_EQ(readIni(QStringLiteral("Статус"), QStringLiteral("Начальный блок"), ini), QStringLiteral("8"));
    EXPECT_EQ(readIni(QStringLiteral("Статус"), QStringLiteral("Конечный блок"), ini), QStringLiteral("8"));
    enterText(lastBlockEdit, QStringLiteral("3")); // below the first block: the first block follows
    EXPECT_EQ(firstBlockEdit->text(), QStringLiteral("3"));
}

TEST_F(MainWindowTest, ChapterChooserPutsTheBlockNumber)
{
    addBook(QStringLiteral("Книга"), 4,
            QStringLiteral(
                "[Оглавление]\r\nКол-во=4\r\nБлок1=Пролог\r\nБлок2=Глава 1\r\nБлок3=Глава 1(2)\r\nБлок4=Эпилог\r\n"));
    auto w = open();
    QTest::mouseClick(child<QPushButton>(w.get(), "lastChapterButton"), Qt::LeftButton);
    auto *chapterPicker = w->findChild<ChapterPicker *>();
    ASSERT_TRUE(chapterPicker && chapterPicker->isVisible());
    ASSERT_EQ(chapterPicker->list()->count(), 4);
    EXPECT_EQ(chapterPicker->list()->item(1)->text(), QStringLiteral("Глава 1"));
    QListWidget *list = chapterPicker->list();
    const QRect row = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_FALSE(chapterPicker->isVisible());
    EXPECT_EQ(child<QLineEdit>(w.get(), "lastBlockEdit")->text(), QStringLiteral("3"));

    // Right click on the first "..." sets the first block to 1.
    enterText(child<QLineEdit>(w.get(), "firstBlockEdit"), QStringLiteral("3"));
    emit child<QPushButton>(w.get(), "firstChapterButton")->customContextMenuRequested({});
    EXPECT_EQ(child<QLineEdit>(w.get(), "firstBlockEdit")->text(), QStringLiteral("1"));
}

TEST_F(MainWindowTest, BatchModeKeepsSelectionsAcrossRestarts)
{
    for (const char *name : {"A", "B", "C"})
        addBook(QString::fromLatin1(name), 2);
    {
        auto w = open();
        auto *libraryList = child<QListWidget>(w.get(), "chapterList");
        auto *batchList = child<QListWidget>(w.get(), "batchList");
        child<QCheckBox>(w.get(), "batchProcessing")->setChecked(true);
        EXPECT_TRUE(batchList->isVisible());
        EXPECT_FALSE(libraryList->isVisible());
        ASSERT_EQ(batchList->count(), libraryList->count());
        batchList->item(0)->setSelected(true);
        batchList->item(2)->setSelected(true);
        child<QCheckBox>(w.get(), "batchProcessing")->setChecked(false);
        EXPECT_TRUE(libraryList->isVisible());
        child<QCheckBox>(w.get(), "batchProcessing")->setChecked(true);
        w->close();
    }
    const QList<NameFlag> saved = readNameFlagList(folder.file(QStringLiteral("Batch.cfg")));
    ASSERT_EQ(saved.size(), 3);
    EXPECT_TRUE(saved[0].flag);
    EXPECT_FALSE(saved[1].flag);
    EXPECT_TRUE(saved[2].flag);

    auto again = open();
    auto *batchList = child<QListWidget>(again.get(), "batchList");
    EXPECT_TRUE(batchList->isVisible()); // batch mode came back from the settings
    EXPECT_TRUE(batchList->item(0)->isSelected());
    EXPECT_FALSE(batchList->item(1)->isSelected());
    EXPECT_TRUE(batchList->item(2)->isSelected());
    QTest::mouseClick(child<QPushButton>(again.get(), "clearBatchSelectionButton"), Qt::LeftButton);
    EXPECT_TRUE(batchList->selectedItems().isEmpty());
    QTest::mouseClick(child<QPushButton>(again.get(), "selectAllBatchButton"), Qt::LeftButton);
    EXPECT_EQ(batchList->selectedItems().size(), 3);

    // Moving a book moves its batch entry with its tick.
    batchList->item(1)->setSelected(false);
    child<QListWidget>(again.get(), "chapterList")->setCurrentRow(1);
    QTest::mouseClick(child<QPushButton>(again.get(), "moveBookUpButton"), Qt::LeftButton);
    EXPECT_EQ(child<QListWidget>(again.get(), "chapterList")->item(0)->text(), batchList->item(0)->text());
    EXPECT_FALSE(batchList->item(0)->isSelected());
    EXPECT_TRUE(batchList->item(1)->isSelected());
}

TEST_F(MainWindowTest, DeleteAndEmptyLibrary)
{
    addBook(QStringLiteral("Одна"), 2);
    auto w = open();
    dialogs = ScriptedDialogs({DialogAnswer::Yes});
    w->setDialogs(&dialogs);
    w->findChild<QAction *>(QStringLiteral("deleteBookButton"))->trigger();
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Projects/Одна"))));
    auto *libraryList = child<QListWidget>(w.get(), "chapterList");
    EXPECT_EQ(libraryList->count(), 0);
    EXPECT_EQ(libraryList->toolTip(), QStringLiteral("Библиотека (нет книг)"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lectorium"));
    EXPECT_FALSE(w->findChild<QAction *>(QStringLiteral("stopButton"))->isEnabled());
    EXPECT_FALSE(w->findChild<QAction *>(QStringLiteral("readAloudButton"))->isEnabled());
    EXPECT_FALSE(child<QWidget>(w.get(), "rangeFrame")->isEnabled());
}

TEST_F(MainWindowTest, FixedSizeWhenScalingIsOff)
{
    writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Масштабировать интерфейс"), 0, folder.file(kIni));
    auto w = open();
    w->resize(700, 500);
    QTest::qWait(50);
    EXPECT_EQ(w->size(), QSize(538, 227));
    w->showMaximized();
    QTest::qWait(50);
    EXPECT_FALSE(w->isMaximized());
}

TEST_F(MainWindowTest, StatusBarShowsTheActivityWholeBesideTheEncoder)
{
    // The narrowest the window gets: its fixed size without scaling.
    writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Масштабировать интерфейс"), 0, folder.file(kIni));
    auto w = open();
    auto *bar = child<QStatusBar>(w.get(), "statusBar");
    RecordingProgress progress;
    progress.book = QStringLiteral("Книга");
    progress.block = 33;
    progress.blockOfRange = 33;
    progress.blocksInRange = 333;
    progress.bookPercent = 9.87;
    progress.elapsedSeconds = 3599;
    progress.remainingSeconds = 35999;
    progress.encodingFiles = {QStringLiteral("0029.wav"), QStringLiteral("0030.wav"), QStringLiteral("0031.wav"),
                              QStringLiteral("0032.wav")};
    for (const RecordingPhase phase : {RecordingPhase::Speaking, RecordingPhase::WaitingForEncoder}) {
        progress.phase = phase;
        w->showProgress(progress);
        QCoreApplication::sendPostedEvents();
        bar->layout()->activate();
        auto *activity = child<QLabel>(w.get(), "statusPanel1");
        EXPECT_GE(activity->contentsRect().width(), activity->fontMetrics().horizontalAdvance(activity->text()))
            << activity->text().toStdString();
        EXPECT_GT(child<QLabel>(w.get(), "statusPanel2")->width(), 0);
        // The times and the percentage stay whole and inside the window.
        for (const char *name : {"statusPanel3", "statusPanel4", "statusPanel5"}) {
            auto *panel = child<QLabel>(w.get(), name);
            EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text().trimmed()))
                << name;
            EXPECT_LE(panel->geometry().right(), bar->width()) << name;
        }
    }
}

TEST_F(MainWindowTest, ScalingMovesControlsAndBringsTheWindowOnScreen)
{
    addBook(QStringLiteral("Книга"), 2);
    writeIni(QStringLiteral("Окна"), QStringLiteral("Главное"), QStringLiteral("-90000;-90000;8070;3345;0"),
             folder.file(kIni));
    auto w = open();
    auto *lastBlockEdit = child<QLineEdit>(w.get(), "lastBlockEdit");
    const int before = lastBlockEdit->x();
    w->resize(1076, 446);
    QTest::qWait(400);
    EXPECT_GT(lastBlockEdit->x(), before * 3 / 2);
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(w->geometry()));
}

TEST_F(MainWindowTest, SettingsAreSavedOnClose)
{
    addBook(QStringLiteral("A"), 1);
    addBook(QStringLiteral("B"), 1);
    auto w = open();
    child<QListWidget>(w.get(), "chapterList")->setCurrentRow(1);
    w->close();
    const QString ini = folder.file(kIni);
    EXPECT_EQ(readIni(QStringLiteral("Общие настройки"), QStringLiteral("Номер книги"), ini), QStringLiteral("1"));
    EXPECT_TRUE(readIni(QStringLiteral("Окна"), QStringLiteral("Главное"), ini).has_value());
    EXPECT_EQ(readIni(QStringLiteral("Настройки путей"), QStringLiteral("Каталог для готовых аудиофайлов"), ini),
              folder.home() + QStringLiteral("/Аудиокниги"));
}

TEST_F(MainWindowTest, AnEmptyLibrarySaysWhatToDo)
{
    auto w = open();
    auto *hint = child<QLabel>(w.get(), "emptyLibraryHint");
    EXPECT_TRUE(hint->isVisible());
    EXPECT_TRUE(hint->text().contains(QStringLiteral("Откройте книгу кнопкой")));
    w->close();
    addBook(QStringLiteral("Книга"), 2);
    auto second = open();
    EXPECT_FALSE(child<QLabel>(second.get(), "emptyLibraryHint")->isVisible());
}

TEST_F(MainWindowTest, FirstStartShowsTheMessageOnce)
{
    writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), 1, folder.file(kIni));
    auto w = open();
    QTest::qWait(20);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Выберите голосовой движок и укажите каталог\nдля готовых аудиофайлов..."));
    // The options window opens where the message points: the page of the
    // output folder, which shows the default folder in the home folder.
    auto *tabs = w->findChild<QTabWidget *>(QStringLiteral("mainTabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Общие настройки"));
    auto *outputFolder = child<QLineEdit>(tabs->window(), "outputFolderEdit");
    EXPECT_TRUE(outputFolder->isVisible());
    EXPECT_EQ(outputFolder->text(), folder.home() + QStringLiteral("/Аудиокниги"));
    tabs->window()->close();
    w->close();
    EXPECT_EQ(readIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), folder.file(kIni)),
              QStringLiteral("0"));
}

TEST(SingleInstance, SecondStartActivatesTheFirstAndExits)
{
    TempProgramFolder folder;
    SingleInstance first(folder.path());
    ASSERT_TRUE(first.becomePrimary());
    QSignalSpy activated(&first, &SingleInstance::activationRequested);
    QProcess second;
    second.start(QStringLiteral(LECTORIUM_BIN_DIR "/lectorium"), {QStringLiteral("--program-folder"), folder.path()});
    ASSERT_TRUE(second.waitForStarted(5000));
    // The second program answers while this process runs the event loop.
    for (int i = 0; i < 100 && second.state() != QProcess::NotRunning; ++i)
        QTest::qWait(50);
    EXPECT_EQ(second.state(), QProcess::NotRunning);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(activated.size() > 0 || activated.wait(2000));
}

TEST_F(MainWindowTest, MinimisingToTheTrayHidesTheWindow)
{
    writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Сворачивать в трей"), 1, folder.file(kIni));
    auto w = open();
    w->showMinimized();
    QTest::qWait(50);
    EXPECT_FALSE(w->isVisible());
    // "Восстановить" from the tray menu brings it back.
    QAction *restore = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *a = top->findChild<QAction *>(QStringLiteral("restoreAction")))
            restore = a;
    ASSERT_NE(restore, nullptr);
    restore->trigger();
    QTest::qWait(20);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isMinimized());
}

TEST_F(MainWindowTest, PlacementIsRestored)
{
    writeIni(QStringLiteral("Окна"), QStringLiteral("Главное"), QStringLiteral("1500;1500;9000;4500;0"),
             folder.file(kIni));
    auto w = open();
    EXPECT_EQ(w->size(), QSize(600, 300));
    w->close();
    const auto saved = readIni(QStringLiteral("Окна"), QStringLiteral("Главное"), folder.file(kIni));
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(saved->endsWith(QStringLiteral(";9000;4500;0"))) << saved->toStdString();
}

// The whole book's estimate, as the editor and lectorium-cli give it: the
// blocks' characters without markers at the learnt coefficient and the
// voice's 44,100 bytes a second.
TEST_F(MainWindowTest, BlockCountToolTipEstimatesTheWholeBook)
{
    folder.writeCp1251(kIni, QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\nКоэффициент1=21\r\n"));
    for (int i = 1; i <= 2; ++i)
        folder.writeCp1251(QStringLiteral("Projects/Книга/%1").arg(blockFileName(i)),
                           QStringLiteral(" {повествование->} \r\n") + QString(4410, u'а') + QStringLiteral("\r\n"));
    auto w = open();
    // 2 × 4,414 characters × 2,100 bytes / 44,100 bytes a second = 420 s
    EXPECT_EQ(child<QLabel>(w.get(), "blockCountLabel")->toolTip().toStdString(),
              "Общее количество блоков; вся книга ~ 00:07:00");
}
