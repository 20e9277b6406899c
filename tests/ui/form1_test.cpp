#include "app/project_store.h"
#include "app/ui/form1.h"
#include "app/ui/form5.h"
#include "app/ui/single_instance.h"
#include "common/ini_file.h"
#include "common/name_flag_list.h"

#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kIni = QStringLiteral("Lectorium.ini");

// A program folder with a few books and settings that skip the first-start
// message.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writeCp1251(kIni, QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\n"));
    }

    void addBook(const QString &name, int blocks, const QString &ini = {})
    {
        for (int i = 1; i <= blocks; ++i)
            folder.writeCp1251(QStringLiteral("Projects/%1/%2").arg(name, TxtFN(i)), QStringLiteral("Текст\r\n"));
        if (!ini.isEmpty())
            folder.writeCp1251(QStringLiteral("Projects/%1/project.ini").arg(name), ini);
    }

    std::unique_ptr<Form1> open()
    {
        auto window = std::make_unique<Form1>(folder.path());
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
    auto *text2 = child<QLineEdit>(w.get(), "Text2");
    auto *text3 = child<QLineEdit>(w.get(), "Text3");
    EXPECT_EQ(text2->text(), QStringLiteral("2"));
    EXPECT_EQ(text3->text(), QStringLiteral("5"));
    EXPECT_EQ(child<QLabel>(w.get(), "Label4")->text(), QStringLiteral("10"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lectorium - Книга"));

    for (const QString &bad : {QStringLiteral("0"), QStringLiteral("11"), QStringLiteral("abc")}) {
        dialogs.shown.clear();
        enterText(text2, bad);
        ASSERT_EQ(dialogs.shown.size(), 1) << bad.toStdString();
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Неправильный номер блока!"));
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Неправильный номер блока!\nВведите число от 1 до 10"));
        EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Critical);
        EXPECT_EQ(text2->text(), QStringLiteral("2")); // a valid value back
    }

    dialogs.shown.clear();
    enterText(text2, QStringLiteral("8")); // beyond the last block: the last block follows
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(text3->text(), QStringLiteral("8"));
    const QString ini = projectIniPath(bookFolder(folder.path(), QStringLiteral("Книга")));
    EXPECT_EQ(ReadIni(QStringLiteral("Статус"), QStringLiteral("Начальный блок"), ini), QStringLiteral("8"));
    EXPECT_EQ(ReadIni(QStringLiteral("Статус"), QStringLiteral("Конечный блок"), ini), QStringLiteral("8"));
    enterText(text3, QStringLiteral("3")); // below the first block: the first block follows
    EXPECT_EQ(text2->text(), QStringLiteral("3"));
}

TEST_F(MainWindowTest, ChapterChooserPutsTheBlockNumber)
{
    addBook(QStringLiteral("Книга"), 4,
            QStringLiteral("[Оглавление]\r\nКол-во=4\r\nБлок1=Пролог\r\nБлок2=Глава 1\r\nБлок3=Глава 1(2)\r\nБлок4=Эпилог\r\n"));
    auto w = open();
    QTest::mouseClick(child<QPushButton>(w.get(), "Command1_1"), Qt::LeftButton);
    auto *form5 = w->findChild<Form5 *>();
    ASSERT_TRUE(form5 && form5->isVisible());
    ASSERT_EQ(form5->list()->count(), 4);
    EXPECT_EQ(form5->list()->item(1)->text(), QStringLiteral("Глава 1"));
    QListWidget *list = form5->list();
    const QRect row = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_FALSE(form5->isVisible());
    EXPECT_EQ(child<QLineEdit>(w.get(), "Text3")->text(), QStringLiteral("3"));

    // Right click on the first "..." sets the first block to 1.
    enterText(child<QLineEdit>(w.get(), "Text2"), QStringLiteral("3"));
    emit child<QPushButton>(w.get(), "Command1_0")->customContextMenuRequested({});
    EXPECT_EQ(child<QLineEdit>(w.get(), "Text2")->text(), QStringLiteral("1"));
}

TEST_F(MainWindowTest, BatchModeKeepsSelectionsAcrossRestarts)
{
    for (const char *name : {"A", "B", "C"})
        addBook(QString::fromLatin1(name), 2);
    {
        auto w = open();
        auto *list1 = child<QListWidget>(w.get(), "List1");
        auto *list3 = child<QListWidget>(w.get(), "List3");
        child<QCheckBox>(w.get(), "Check1")->setChecked(true);
        EXPECT_TRUE(list3->isVisible());
        EXPECT_FALSE(list1->isVisible());
        ASSERT_EQ(list3->count(), list1->count());
        list3->item(0)->setSelected(true);
        list3->item(2)->setSelected(true);
        child<QCheckBox>(w.get(), "Check1")->setChecked(false);
        EXPECT_TRUE(list1->isVisible());
        child<QCheckBox>(w.get(), "Check1")->setChecked(true);
        w->close();
    }
    const QList<NameFlag> saved = readNameFlagList(folder.file(QStringLiteral("Batch.cfg")));
    ASSERT_EQ(saved.size(), 3);
    EXPECT_TRUE(saved[0].flag);
    EXPECT_FALSE(saved[1].flag);
    EXPECT_TRUE(saved[2].flag);

    auto again = open();
    auto *list3 = child<QListWidget>(again.get(), "List3");
    EXPECT_TRUE(list3->isVisible()); // batch mode came back from the settings
    EXPECT_TRUE(list3->item(0)->isSelected());
    EXPECT_FALSE(list3->item(1)->isSelected());
    EXPECT_TRUE(list3->item(2)->isSelected());
    QTest::mouseClick(child<QPushButton>(again.get(), "Command14"), Qt::LeftButton);
    EXPECT_TRUE(list3->selectedItems().isEmpty());
    QTest::mouseClick(child<QPushButton>(again.get(), "Command13"), Qt::LeftButton);
    EXPECT_EQ(list3->selectedItems().size(), 3);

    // Moving a book moves its batch entry with its tick.
    list3->item(1)->setSelected(false);
    child<QListWidget>(again.get(), "List1")->setCurrentRow(1);
    QTest::mouseClick(child<QPushButton>(again.get(), "Command11"), Qt::LeftButton);
    EXPECT_EQ(child<QListWidget>(again.get(), "List1")->item(0)->text(), list3->item(0)->text());
    EXPECT_FALSE(list3->item(0)->isSelected());
    EXPECT_TRUE(list3->item(1)->isSelected());
}

TEST_F(MainWindowTest, DeleteAndEmptyLibrary)
{
    addBook(QStringLiteral("Одна"), 2);
    auto w = open();
    dialogs = ScriptedDialogs({DialogAnswer::Yes});
    w->setDialogs(&dialogs);
    w->findChild<QAction *>(QStringLiteral("Toolbar1Button2"))->trigger();
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Projects/Одна"))));
    auto *list1 = child<QListWidget>(w.get(), "List1");
    EXPECT_EQ(list1->count(), 0);
    EXPECT_EQ(list1->toolTip(), QStringLiteral("Библиотека (нет книг)"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lectorium"));
    EXPECT_FALSE(w->findChild<QAction *>(QStringLiteral("Toolbar1Button6"))->isEnabled());
    EXPECT_FALSE(w->findChild<QAction *>(QStringLiteral("Toolbar1Button7"))->isEnabled());
    EXPECT_FALSE(child<QWidget>(w.get(), "RangeFrame")->isEnabled());
}

TEST_F(MainWindowTest, FixedSizeWhenScalingIsOff)
{
    WriteIni(QStringLiteral("Общие настройки"), QStringLiteral("Масштабировать интерфейс"), 0, folder.file(kIni));
    auto w = open();
    w->resize(700, 500);
    QTest::qWait(50);
    EXPECT_EQ(w->size(), QSize(538, 227));
    w->showMaximized();
    QTest::qWait(50);
    EXPECT_FALSE(w->isMaximized());
}

TEST_F(MainWindowTest, ScalingMovesControlsAndBringsTheWindowOnScreen)
{
    addBook(QStringLiteral("Книга"), 2);
    WriteIni(QStringLiteral("Окна"), QStringLiteral("Главное"), QStringLiteral("-90000;-90000;8070;3345;0"), folder.file(kIni));
    auto w = open();
    auto *text3 = child<QLineEdit>(w.get(), "Text3");
    const int before = text3->x();
    w->resize(1076, 446);
    QTest::qWait(400);
    EXPECT_GT(text3->x(), before * 3 / 2);
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(w->geometry()));
}

TEST_F(MainWindowTest, SettingsAreSavedOnClose)
{
    addBook(QStringLiteral("A"), 1);
    addBook(QStringLiteral("B"), 1);
    auto w = open();
    child<QListWidget>(w.get(), "List1")->setCurrentRow(1);
    w->close();
    const QString ini = folder.file(kIni);
    EXPECT_EQ(ReadIni(QStringLiteral("Общие настройки"), QStringLiteral("Номер книги"), ini), QStringLiteral("1"));
    EXPECT_TRUE(ReadIni(QStringLiteral("Окна"), QStringLiteral("Главное"), ini).has_value());
    EXPECT_EQ(ReadIni(QStringLiteral("Настройки путей"), QStringLiteral("Каталог для готовых аудиофайлов"), ini),
              folder.path() + QStringLiteral("/Audiobooks"));
}

TEST_F(MainWindowTest, FirstStartShowsTheMessageOnce)
{
    WriteIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), 1, folder.file(kIni));
    auto w = open();
    QTest::qWait(20);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Выберите голосовой движок и укажите каталог\nдля готовых аудиофайлов..."));
    w->close();
    EXPECT_EQ(ReadIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), folder.file(kIni)),
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
    WriteIni(QStringLiteral("Общие настройки"), QStringLiteral("Сворачивать в трей"), 1, folder.file(kIni));
    auto w = open();
    w->showMinimized();
    QTest::qWait(50);
    EXPECT_FALSE(w->isVisible());
    // "Восстановить" from the tray menu brings it back.
    QAction *restore = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *a = top->findChild<QAction *>(QStringLiteral("TrayRe")))
            restore = a;
    ASSERT_NE(restore, nullptr);
    restore->trigger();
    QTest::qWait(20);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isMinimized());
}

TEST_F(MainWindowTest, PlacementIsRestored)
{
    WriteIni(QStringLiteral("Окна"), QStringLiteral("Главное"), QStringLiteral("1500;1500;9000;4500;0"), folder.file(kIni));
    auto w = open();
    EXPECT_EQ(w->size(), QSize(600, 300));
    w->close();
    const auto saved = ReadIni(QStringLiteral("Окна"), QStringLiteral("Главное"), folder.file(kIni));
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(saved->endsWith(QStringLiteral(";9000;4500;0"))) << saved->toStdString();
}
