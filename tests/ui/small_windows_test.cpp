#include "common/ui/message_box_dialogs.h"
#include "common/ui/qt_translations.h"
#include "options/ui/about_box.h"
#include "options/ui/folder_picker.h"
#include "options/ui/progress_window.h"

#include "support/cli_run.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

TEST(FolderPicker, CreatesNestedCyrillicFolders)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs({DialogAnswer::Yes});
    FolderPicker picker(dialogs);
    picker.openAtFolder(folder.path());
    EXPECT_EQ(picker.findChild<QLineEdit *>(QStringLiteral("pathEdit"))->text(), folder.path());
    picker.askFolderName = [] { return QStringLiteral("Аудио книги"); };
    QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("createFolderButton")), Qt::LeftButton);
    const QString created = folder.path() + QStringLiteral("/Аудио книги");
    EXPECT_TRUE(QFileInfo(created).isDir());
    EXPECT_EQ(picker.currentFolder(), created);

    // A typed folder that does not exist is created, parents included, on Yes.
    const QString typed = created + QStringLiteral("/Толстой/Война и мир");
    picker.findChild<QLineEdit *>(QStringLiteral("pathEdit"))->setText(typed);
    QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Каталог ") + typed + QStringLiteral(" не существует. Создать его?"));
    EXPECT_TRUE(QFileInfo(typed).isDir());
    EXPECT_EQ(picker.chosenFolder(), typed);
    EXPECT_FALSE(picker.cancelled());
}

TEST(FolderPicker, NoKeepsTheListedFolderAndCancelIsFlagged)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs({DialogAnswer::No});
    FolderPicker picker(dialogs);
    picker.openAtFolder(folder.path());
    picker.findChild<QLineEdit *>(QStringLiteral("pathEdit"))->setText(folder.file(QStringLiteral("нет")));
    QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("нет"))));
    EXPECT_EQ(picker.chosenFolder(), folder.path());
    FolderPicker second(dialogs);
    QTest::mouseClick(second.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    EXPECT_TRUE(second.cancelled());
}

TEST(AboutBox, ShowsVersionLicenceAndChanges)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("license.txt"),
                       QStringLiteral("Лицензия\r\nпрограммы\r\n\r\nВторой абзац\r\nтекста\r\n"));
    folder.writeCp1251(QStringLiteral("whatsnew.txt"), QStringLiteral("Что нового\r\n\r\n- Одно\r\n- Другое"));
    AboutBox box(folder.path());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Lectorium - о программе..."));
    // One version: the About box and the command line say the same.
    const CliRun cli = runCli(folder, {QStringLiteral("--version")});
    EXPECT_EQ(cli.out, QStringLiteral("lectorium-cli " LECTORIUM_VERSION "\n"));
    EXPECT_EQ(box.findChild<QLabel *>(QStringLiteral("versionLabel"))->text(),
              QStringLiteral("Версия " LECTORIUM_VERSION));
    auto *text = box.findChild<QTextBrowser *>(QStringLiteral("descriptionView"));
    // Hard-wrapped lines flow as paragraphs; list items stay apart.
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Лицензия программы\nВторой абзац текста"));
    QTest::mouseClick(box.findChild<QPushButton *>(QStringLiteral("changesButton")), Qt::LeftButton);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Что нового\n- Одно\n- Другое"));
    // No web addresses: the help is the read-me of the program folder.
    for (const QLabel *label : box.findChildren<QLabel *>())
        EXPECT_FALSE(label->text().contains(QStringLiteral("http")) || label->text().contains(u'@'))
            << label->text().toStdString();
    EXPECT_NE(box.findChild<QPushButton *>(QStringLiteral("readMeButton")), nullptr);
}

TEST(ProgressWindow, CancelIsFlaggedAndClearedOnOpening)
{
    ProgressWindow window;
    window.show();
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    EXPECT_TRUE(window.isCancelled());
    window.hide();
    window.show();
    EXPECT_FALSE(window.isCancelled());
}

TEST(QtTranslations, StandardButtonsAndDialogsAreRussianWhateverTheLocale)
{
    // The tests run under LC_ALL=C.UTF-8: Russian must come all the same.
    ASSERT_TRUE(installQtTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Перейти к:"));

    QMessageBox box(QMessageBox::Question, QStringLiteral("Вопрос"), QStringLiteral("Выйти?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    nameButtonsInRussian(box);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("Нет"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
}
