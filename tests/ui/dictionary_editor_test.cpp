#include "app/ui/main_window.h"
#include "dictionaries/trial_voice.h"
#include "dictionaries/ui/dictionary_editor_window.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class TrialVoiceRecorder : public TrialVoice
{
public:
    void speak(const QString &text, bool purge) override { spoken.append({text, purge}); }
    void stop() override { }
    QString stressMark() const override { return mark; }
    QList<std::pair<QString, bool>> spoken;
    QString mark = QStringLiteral("<");
};

// A program folder whose only dictionary, "main.dic", holds `lines`.
void writeMainDictionary(const TempProgramFolder &folder, const QString &lines)
{
    QDir().mkpath(folder.file(QStringLiteral("Dic")));
    folder.writeCp1251(QStringLiteral("Dic/main.dic"), QStringLiteral("//Словарь Lectorium\r\n") + lines);
}

QStringList words(const DictionaryEditorWindow &editor)
{
    QStringList list;
    for (const DicRow &row : editor.rows())
        list.append(row.word + u'=' + row.pronunciation + row.flag);
    return list;
}

void click(const QWidget &window, const char *name, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(child<QPushButton>(window, name), button);
}

// Typed as the user types, so the field reports an edit.
void typeText(QWidget *field, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QString savedMain(const TempProgramFolder &folder)
{
    return Codec::fromCp1251(folder.readBytes(QStringLiteral("Dic/main.dic")));
}

} // namespace

TEST(DictionaryEditor, SectionsShowEachKindOfEntry)
{
    TempProgramFolder folder;
    writeMainDictionary(folder,
                        QStringLiteral("$Лев=Лёв\r\nкот=кот<\r\n$*Ра*=ра\r\nпод*=под\r\n*ий=ый\r\n*ться*=ца\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    auto *tabs = child<QTabBar>(editor, "sectionTabs");
    EXPECT_EQ(words(editor).size(), 6);
    const QStringList expected[] = {{},
                                    {QStringLiteral("Лев=Лёв$")},
                                    {QStringLiteral("кот=кот<")},
                                    // A case-sensitive substring entry is not an automatic replacement.
                                    {QStringLiteral("*Ра*=ра$")},
                                    {QStringLiteral("под*=под"), QStringLiteral("*ий=ый")},
                                    {QStringLiteral("*ться*=ца")}};
    for (int section = 1; section < 6; ++section) {
        tabs->setCurrentIndex(section);
        EXPECT_EQ(words(editor), expected[section]) << section;
    }
    EXPECT_EQ(child<QPushButton>(editor, "sortButton")->toolTip(),
              QStringLiteral("Отсортировать раздел словаря по алфавиту"));
}

TEST(DictionaryEditor, SavingAfterAnEditInASectionWritesTheFileGroupedBySection)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\n$Лев=Лёв\r\nпёс=пёс\r\n// End of file\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    auto *tabs = child<QTabBar>(editor, "sectionTabs");
    auto *view = child<QTableView>(editor, "entryTable");

    tabs->setCurrentIndex(1);
    view->selectRow(0);
    child<QLineEdit>(editor, "pronunciationEdit")->setText(QStringLiteral("Лё<в"));
    click(editor, "updateEntryButton");
    tabs->setCurrentIndex(0);
    EXPECT_EQ(words(editor),
              (QStringList{QStringLiteral("Лев=Лё<в$"), QStringLiteral("кот=кот<"), QStringLiteral("пёс=пёс")}));
    click(editor, "saveDictionaryButton");
    EXPECT_EQ(savedMain(folder),
              QStringLiteral("//Словарь Lectorium\r\n$Лев=Лё<в\r\nкот=кот<\r\nпёс=пёс\r\n// End of file\r\n"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(DictionaryEditor, SavingWithoutSectionEditsKeepsTheFileOrder)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\n$Лев=Лёв\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    child<QTabBar>(editor, "sectionTabs")->setCurrentIndex(2); // looked at, not edited
    child<QLineEdit>(editor, "wordEdit")->setText(QStringLiteral("пёс"));
    child<QLineEdit>(editor, "pronunciationEdit")->setText(QStringLiteral("пё<с"));
    child<QTableView>(editor, "entryTable")->clearSelection();
    child<QTabBar>(editor, "sectionTabs")->setCurrentIndex(0);
    click(editor, "addEntryButton"); // added in the whole dictionary, at its end
    click(editor, "saveDictionaryButton");
    EXPECT_EQ(savedMain(folder),
              QStringLiteral("//Словарь Lectorium\r\nкот=кот<\r\n$Лев=Лёв\r\nпёс=пё<с\r\n// End of file\r\n"));
}

TEST(DictionaryEditor, WithoutAnEnabledDictionaryTheUserIsToldAndSavingIsOff)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"main.dic\",#FALSE#\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Нет загруженных словарей.\nНажмите кнопку \"Словари...\" "
                                                    "чтобы загрузить словарь из файла или создать новый."));
    EXPECT_FALSE(child<QPushButton>(editor, "saveDictionaryButton")->isEnabled());
    EXPECT_TRUE(editor.rows().isEmpty());

    // The first dictionary enabled in the list window can be saved at once.
    editor.openDictionaryList = [&folder] {
        folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"main.dic\",#TRUE#\r\n"));
    };
    editor.showDictionaryList();
    EXPECT_TRUE(child<QPushButton>(editor, "saveDictionaryButton")->isEnabled());
    EXPECT_EQ(editor.rows().size(), 1);
}

TEST(DictionaryEditor, TheDebuggerOpensFromTheMenu)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    QString opened;
    QTimer::singleShot(0, [&opened] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    child<QAction>(editor, "debuggerAction")->trigger();
    EXPECT_EQ(opened, QStringLiteral("DictionaryDebuggerWindow"));
}

TEST(DictionaryEditor, CheckFindsRepeatsAndStopsAtADifferentPronunciation)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\nпёс=пёс\r\nКот=кот<\r\nпёс=пё<с\r\nкот=кот<\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    child<QAction>(editor, "checkRepeatsAction")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Обнаружены разные произношения одного слова!"));
    EXPECT_EQ(child<QTableView>(editor, "entryTable")->currentIndex().row(), 3);
    EXPECT_EQ(editor.rows().size(), 5);

    child<QAction>(editor, "removeDifferentAction")->setChecked(true);
    child<QAction>(editor, "checkRepeatsAction")->trigger();
    EXPECT_EQ(words(editor), (QStringList{QStringLiteral("кот=кот<"), QStringLiteral("пёс=пёс")}));
    EXPECT_TRUE(
        editor.statusBar()->currentMessage().startsWith(QStringLiteral("Удалено 3 повторов. Проверка заняла ")));
}

TEST(DictionaryEditor, ChangedDictionaryAsksBeforeClosingAndCancelKeepsItOpen)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\n"));
    ScriptedDialogs dialogs({DialogAnswer::Cancel, DialogAnswer::Yes});
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    child<QTableView>(editor, "entryTable")->selectRow(0);
    click(editor, "deleteEntryButton");
    EXPECT_FALSE(editor.close());
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Словарь \"main.dic\" был изменен.\nСохранить изменения?"));
    EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::YesNoCancel);
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(savedMain(folder), QStringLiteral("//Словарь Lectorium\r\n// End of file\r\n"));
    // The window's settings are written on closing.
    EXPECT_TRUE(Codec::fromCp1251(folder.readBytes(QStringLiteral("Lectorium.ini")))
                    .contains(QStringLiteral("[Редактор словаря]")));
}

TEST(DictionaryEditor, EditingToolsWorkOnTheFields)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\n*ий=ый\r\nпёс=пёс\r\n"));
    ScriptedDialogs dialogs;
    TrialVoiceRecorder voice;
    DictionaryEditorWindow editor(folder.path(), dialogs, &voice);
    editor.show();
    auto *word = child<QLineEdit>(editor, "wordEdit");
    auto *view = child<QTableView>(editor, "entryTable");

    word->setText(QStringLiteral("слово"));
    QStringList left, right;
    for (int i = 0; i < 4; ++i) {
        click(editor, "cycleWildcardsButton");
        left.append(word->text());
    }
    for (int i = 0; i < 9; ++i) {
        click(editor, "cycleWildcardsButton", Qt::RightButton);
        right.append(word->text());
    }
    EXPECT_EQ(left, (QStringList{"слово*", "*слово", "*слово*", "слово"}));
    EXPECT_EQ(right, (QStringList{"слово*", "*слово", "*слово*", "слово&", "&слово", "&слово&", "&слово*", "*слово&",
                                  "слово"}));

    // The entry that changes a typed word.
    auto *search = child<QLineEdit>(editor, "searchEdit");
    search->setText(QStringLiteral("синий"));
    click(editor, "findAffectingEntryButton");
    EXPECT_EQ(view->currentIndex().row(), 1);

    // The search field's timer and arrow keys.
    search->clear();
    typeText(search, QStringLiteral("ПЁ"));
    QTRY_COMPARE(view->currentIndex().row(), 2);
    QTest::keyClick(search, Qt::Key_Up);
    EXPECT_EQ(view->currentIndex().row(), 1);

    // The stress mark: Insert and the left click put "<", the right click ">".
    auto *pronunciation = child<QLineEdit>(editor, "pronunciationEdit");
    pronunciation->setText(QStringLiteral("кот"));
    pronunciation->setCursorPosition(2);
    QTest::keyClick(pronunciation, Qt::Key_Insert);
    click(editor, "insertStressButton", Qt::RightButton);
    EXPECT_EQ(pronunciation->text(), QStringLiteral("ко<>т"));
    // A voice that reads its own stress mark gets that one, and the button shows it.
    voice.mark = QStringLiteral("+");
    editor.setVoice(&voice);
    EXPECT_EQ(child<QPushButton>(editor, "insertStressButton")->text(), QStringLiteral("+"));
    pronunciation->setText(QStringLiteral("кот"));
    pronunciation->setCursorPosition(2);
    QTest::keyClick(pronunciation, Qt::Key_Insert);
    click(editor, "insertStressButton");
    EXPECT_EQ(pronunciation->text(), QStringLiteral("ко++т"));

    // Copy and paste go through the editor's own buffer.
    EXPECT_FALSE(child<QAction>(editor, "pasteAction")->isEnabled());
    view->selectRow(0);
    child<QAction>(editor, "cutAction")->trigger();
    view->selectRow(1);
    child<QAction>(editor, "pasteAction")->trigger();
    EXPECT_EQ(words(editor), (QStringList{"*ий=ый", "пёс=пёс", "кот=кот<"}));

    // Trials: the typed pronunciation; the word itself, as XML text, so
    // that a Latin word is heard too.
    pronunciation->setText(QStringLiteral("ко<т"));
    click(editor, "tryPronunciationButton");
    word->setText(QStringLiteral("*ий"));
    click(editor, "tryWithoutDictionariesButton");
    word->setText(QStringLiteral("Tom & <Jerry>"));
    click(editor, "tryWithoutDictionariesButton");
    ASSERT_EQ(voice.spoken.size(), 3);
    EXPECT_EQ(voice.spoken[0], std::pair(QStringLiteral("ко<т"), true));
    EXPECT_EQ(voice.spoken[1], std::pair(QStringLiteral("ий"), true));
    EXPECT_EQ(voice.spoken[2], std::pair(QStringLiteral("Tom &amp; &lt;Jerry&gt;"), true));
}

TEST(DictionaryEditor, DeletedKeysGoToTheExceptionListWhenAsked)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\nпёс=пёс\r\n"));
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    auto *view = child<QTableView>(editor, "entryTable");
    child<QAction>(editor, "keepDeletedAction")->setChecked(true);
    view->selectRow(0);
    click(editor, "deleteEntryButton");
    EXPECT_EQ(view->currentIndex().row(), 0);
    click(editor, "deleteEntryButton");
    EXPECT_EQ(Codec::fromCp1251(folder.readBytes(QStringLiteral("trashdic.txt"))), QStringLiteral("кот\r\nпёс\r\n"));
    EXPECT_TRUE(editor.rows().isEmpty());
}

TEST(DictionaryEditor, OpensFromTheMainWindowToolbarOnce)
{
    TempProgramFolder folder;
    writeMainDictionary(folder, QStringLiteral("кот=кот<\r\n"));
    ScriptedDialogs dialogs;
    MainWindow main(folder.path());
    main.setDialogs(&dialogs);
    main.findChild<QAction *>(QStringLiteral("dictionariesButton"))->trigger();
    main.findChild<QAction *>(QStringLiteral("dictionaryEditorItem"))->trigger();
    const QList<DictionaryEditorWindow *> editors = main.findChildren<DictionaryEditorWindow *>();
    ASSERT_EQ(editors.size(), 1);
    EXPECT_TRUE(editors[0]->isVisible());
    EXPECT_EQ(editors[0]->rows().size(), 1);
}

TEST(DictionaryEditor, OpensAHundredThousandEntriesAndScrollsToTheEnd)
{
    TempProgramFolder folder;
    QString lines;
    for (int i = 0; i < 100000; ++i)
        lines += QStringLiteral("слово%1=сло<во%1\r\n").arg(i);
    writeMainDictionary(folder, lines);
    ScriptedDialogs dialogs;
    DictionaryEditorWindow editor(folder.path(), dialogs);
    editor.show();
    auto *view = child<QTableView>(editor, "entryTable");
    ASSERT_EQ(editor.rows().size(), 100000);
    view->scrollToBottom();
    view->selectRow(99999);
    EXPECT_EQ(child<QLineEdit>(editor, "wordEdit")->text(), QStringLiteral("слово99999"));
    child<QTabBar>(editor, "sectionTabs")->setCurrentIndex(2);
    EXPECT_EQ(editor.rows().size(), 100000);
}
