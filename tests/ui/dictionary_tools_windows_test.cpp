#include "dictionaries/dictionaries.h"
#include "dictionaries/ui/dictionary_debugger_window.h"
#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/dictionary_tools_dialog.h"
#include "dictionaries/ui/name_finder_pane.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void writeDictionary(const TempProgramFolder &folder, const QString &name, const QString &lines)
{
    QDir().mkpath(folder.file(QStringLiteral("Dic")));
    folder.writeCp1251(QStringLiteral("Dic/") + name, lines);
}

QString bigDictionary(int entries)
{
    QString text;
    for (int i = 0; i < entries; ++i)
        text += QStringLiteral("слово%1=слово<%1\r\n").arg(i);
    return text;
}

} // namespace

TEST(DictionaryOperationsWindow, SubtractionWritesWhatTheOtherDictionaryLacks)
{
    TempProgramFolder folder;
    writeDictionary(folder, QStringLiteral("main.dic"), QStringLiteral("кот=кот<\r\nпёс=пёс\r\n$Лев=Лёв\r\n"));
    writeDictionary(folder, QStringLiteral("old.dic"), QStringLiteral("КОТ=кот<\r\nпёс=пё<с\r\n"));
    DictionaryToolsDialog window(folder.path());
    window.show();
    auto *source = window.findChild<QComboBox *>(QStringLiteral("subtractSourceCombo"));
    source->setCurrentText(QStringLiteral("main.dic"));
    window.findChild<QComboBox *>(QStringLiteral("subtractOtherCombo"))->setCurrentText(QStringLiteral("old.dic"));
    EXPECT_EQ(window.findChild<QLineEdit *>(QStringLiteral("subtractTargetEdit"))->text(),
              QStringLiteral("main_1.dic"));
    auto *run = window.findChild<QPushButton *>(QStringLiteral("runButton"));
    QTest::mouseClick(run, Qt::LeftButton);
    EXPECT_EQ(Codec::fromCp1251(folder.readBytes(QStringLiteral("Dic/main_1.dic"))),
              QStringLiteral("пёс=пёс\r\n$Лев=Лёв\r\n"));
    EXPECT_EQ(run->text(), QStringLiteral("Выполнить"));
    // The new file is offered as a source at once.
    EXPECT_GE(source->findText(QStringLiteral("main_1.dic")), 0);

    // "Перезаписать оригинальный файл" puts the source's own name in.
    window.findChild<QCheckBox *>(QStringLiteral("subtractOverwriteSource"))->setChecked(true);
    EXPECT_EQ(window.findChild<QLineEdit *>(QStringLiteral("subtractTargetEdit"))->text(), QStringLiteral("main.dic"));
}

TEST(DictionaryOperationsWindow, ASubtractionCancelledWhileRunningWritesNothing)
{
    TempProgramFolder folder;
    writeDictionary(folder, QStringLiteral("big.dic"), bigDictionary(200000));
    writeDictionary(folder, QStringLiteral("other.dic"), QStringLiteral("слово1=слово<1\r\n"));
    DictionaryToolsDialog window(folder.path());
    window.show();
    window.findChild<QComboBox *>(QStringLiteral("subtractSourceCombo"))->setCurrentText(QStringLiteral("big.dic"));
    window.findChild<QComboBox *>(QStringLiteral("subtractOtherCombo"))->setCurrentText(QStringLiteral("other.dic"));
    auto *run = window.findChild<QPushButton *>(QStringLiteral("runButton"));
    QString captionWhileRunning;
    // Pressed again once the run lets events through: that is "Отмена".
    QTimer::singleShot(0, &window, [&] {
        captionWhileRunning = run->text();
        run->click();
    });
    run->click();
    EXPECT_EQ(captionWhileRunning, QStringLiteral("Отмена"));
    EXPECT_EQ(run->text(), QStringLiteral("Выполнить"));
    EXPECT_EQ(window.statusText(), QStringLiteral("Действие отменено."));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Dic/big_1.dic"))));
}

TEST(DictionaryOperationsWindow, AnEmptyMergeSelectionIsCancelled)
{
    TempProgramFolder folder;
    writeDictionary(folder, QStringLiteral("main.dic"), QStringLiteral("кот=кот<\r\n"));
    DictionaryToolsDialog window(folder.path());
    window.findChild<QComboBox *>(QStringLiteral("operationChoice"))->setCurrentIndex(DictionaryToolsDialog::Merge);
    window.findChild<QPushButton *>(QStringLiteral("runButton"))->click();
    EXPECT_EQ(window.statusText(), QStringLiteral("Действие отменено."));
    EXPECT_EQ(QDir(folder.file(QStringLiteral("Dic"))).entryList(QDir::Files).size(), 2); // main.dic and the list file
}

TEST(DictionaryDebugger, ShowsTheRewrittenTextAndTheTime)
{
    TempProgramFolder folder;
    writeDictionary(folder, QStringLiteral("main.dic"), QStringLiteral("кот=кот<\r\n"));
    ScriptedDialogs dialogs;
    DictionaryDebuggerWindow window(folder.path(), dialogs);
    folder.writeCp1251(QStringLiteral("text.txt"), QStringLiteral("Жил-был кот."));
    window.loadText(folder.file(QStringLiteral("text.txt")));
    window.findChild<QPushButton *>(QStringLiteral("processButton"))->click();
    EXPECT_EQ(window.findChild<QPlainTextEdit *>(QStringLiteral("resultTextEdit"))->toPlainText(),
              QStringLiteral("Жил-был кот<."));
    EXPECT_TRUE(window.findChild<QLabel *>(QStringLiteral("timeLabel"))->text().endsWith(QStringLiteral("секунд")));
    EXPECT_EQ(window.findChild<QPushButton *>(QStringLiteral("processButton"))->text(), QStringLiteral("Обработать"));
}

TEST(NameFinder, FindsTheNamesOfABookAndFiltersTheCorrectOnes)
{
    REQUIRE_SHARED_DATA();
    TempProgramFolder folder;
    writeDictionary(folder, QStringLiteral("main.dic"), QStringLiteral("Каштанка=Кашт<анка\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    const QByteArray book =
        UserFile::readBytes(sharedDataPath(QStringLiteral("books/txt/kashtanka.cp1251.txt"))).value();
    editor.findNamesInBook(Codec::decodeUserFile(book), {false, false, 12});
    auto *finder = editor.findChild<NameFinderPane *>(QStringLiteral("NameFinderPane"));
    ASSERT_NE(finder, nullptr);
    const QList<WordCount> &names = finder->words(NameFinderPane::Names);
    auto countOf = [&](const QString &word) {
        for (const WordCount &w : names)
            if (w.word == word)
                return w.count;
        return 0;
    };
    EXPECT_GT(countOf(QStringLiteral("Каштанка")), 10);
    EXPECT_GT(countOf(QStringLiteral("Федор")), 0);
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_EQ(dialogs.shown.last().title, QStringLiteral("Поиск завершен"));
    EXPECT_EQ(dialogs.shown.last().text, QStringLiteral("Обнаружено %1 новых имен и названий").arg(names.size()));
    EXPECT_FALSE(finder->words(NameFinderPane::AllWords).isEmpty());

    // Words the dictionaries already change leave the lists for the filtered tab.
    finder->findChild<QPushButton *>(QStringLiteral("filterHandledButton"))->click();
    EXPECT_EQ(countOf(QStringLiteral("Каштанка")), 0);
    bool filtered = false;
    for (const WordCount &w : finder->words(NameFinderPane::Filtered))
        filtered = filtered || w.word == QStringLiteral("Каштанка");
    EXPECT_TRUE(filtered);
}
