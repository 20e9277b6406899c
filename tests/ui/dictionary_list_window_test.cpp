#include "dictionaries/dictionary_list.h"
#include "dictionaries/ui/dictionary_list_dialog.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString dicFolder(const TempProgramFolder &folder)
{
    return folder.file(QStringLiteral("Dic"));
}

void makeDictionaries(const TempProgramFolder &folder, const QStringList &names)
{
    QDir().mkpath(dicFolder(folder));
    for (const QString &name : names)
        folder.writeCp1251(QStringLiteral("Dic/") + name, QStringLiteral("//Словарь Lectorium\r\nкот=кот<\r\n"));
}

// The flags of the list as the list file holds them, in list order.
QList<bool> storedFlags(const TempProgramFolder &folder)
{
    QList<bool> flags;
    for (const ListedDictionary &dictionary : loadDictionaryList(dicFolder(folder)))
        flags.append(dictionary.enabled);
    return flags;
}

} // namespace

TEST(DictionaryListWindow, ATickIsInTheListFileBeforeTheWindowCloses)
{
    TempProgramFolder folder;
    makeDictionaries(folder, {QStringLiteral("Имена.dic"), QStringLiteral("main.dic")});
    ScriptedDialogs dialogs;
    {
        DictionaryListDialog window(folder.path(), dialogs);
        auto *list = window.findChild<QListWidget *>(QStringLiteral("dictionaryList"));
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("main.dic"));
        EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
        list->item(0)->setCheckState(Qt::Unchecked);
        // Read while the window is still open: nothing waits for closing.
        EXPECT_EQ(storedFlags(folder), (QList<bool>{false, true}));

        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("untickAllButton")), Qt::LeftButton);
        EXPECT_EQ(storedFlags(folder), (QList<bool>{false, false}));
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("tickAllButton")), Qt::LeftButton);
        EXPECT_EQ(storedFlags(folder), (QList<bool>{true, true}));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(DictionaryListWindow, CreateRenameAndDeleteWorkOnTheFolder)
{
    TempProgramFolder folder;
    makeDictionaries(folder, {QStringLiteral("main.dic")});
    ScriptedDialogs dialogs({DialogAnswer::No, DialogAnswer::Yes});
    DictionaryListDialog window(folder.path(), dialogs);
    auto *list = window.findChild<QListWidget *>(QStringLiteral("dictionaryList"));
    QStringList answers = {QStringLiteral("Новый: словарь"), QStringLiteral("main"), QStringLiteral("  Имена  ")};
    window.askText = [&](const QString &, const QString &) -> std::optional<QString> { return answers.takeFirst(); };

    window.findChild<QAction *>(QStringLiteral("createNewAction"))->trigger();
    EXPECT_EQ(UserFile::readBytes(folder.file(QStringLiteral("Dic/Новый- словарь.dic"))).value(),
              QByteArray("//\xd1\xeb\xee\xe2\xe0\xf0\xfc Lectorium\r\n"));
    ASSERT_EQ(list->count(), 2);
    // A new dictionary stays off until ticked.
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);

    // An existing name asks before overwriting; No keeps the file.
    window.findChild<QAction *>(QStringLiteral("createNewAction"))->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Словарь \"main.dic\" уже существует.\nХотите перезаписать?"));
    EXPECT_TRUE(UserFile::readBytes(folder.file(QStringLiteral("Dic/main.dic")))->contains("\r\n\xea\xee\xf2="));

    list->setCurrentRow(0);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("renameButton")), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Dic/Имена.dic"))));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Имена.dic"));

    list->setCurrentRow(0);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("deleteButton")), Qt::LeftButton);
    EXPECT_EQ(dialogs.shown.last().text, QStringLiteral("Действительно хотите удалить файл\n\"Имена.dic\"?"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Dic/Имена.dic"))));
    EXPECT_EQ(list->count(), 1);
}

TEST(DictionaryListWindow, AddsEngineFilesConvertedAndRefusesFilesOfTheFolderItself)
{
    TempProgramFolder folder;
    makeDictionaries(folder, {QStringLiteral("main.dic")});
    folder.writeCp1251(QStringLiteral("exc_rus.txt"), QStringLiteral("тест :\t<те##ст> /i\r\nМосква :\t<Масква>\r\n"));
    ScriptedDialogs dialogs;
    DictionaryListDialog window(folder.path(), dialogs);
    auto *list = window.findChild<QListWidget *>(QStringLiteral("dictionaryList"));

    window.chooseFileToAdd = [&] {
        return std::optional(DictionaryListDialog::ChosenFile{folder.file(QStringLiteral("exc_rus.txt")), 2});
    };
    window.findChild<QAction *>(QStringLiteral("openFileAction"))->trigger();
    EXPECT_EQ(UserFile::readBytes(folder.file(QStringLiteral("Dic/exc_rus.dic"))).value(),
              Codec::toCp1251(QStringLiteral("тест=те ст\r\n$Москва=Масква\r\n")));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("exc_rus.dic"));
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);

    window.chooseFileToAdd = [&] {
        return std::optional(DictionaryListDialog::ChosenFile{folder.file(QStringLiteral("Dic/main.dic")), 0});
    };
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("addDictionaryButton")), Qt::LeftButton);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Из этого каталога ничего добавлять не нужно!\n"
                                                    "В нем содержатся все используемые программой словари."));
    EXPECT_EQ(list->count(), 2);
}
