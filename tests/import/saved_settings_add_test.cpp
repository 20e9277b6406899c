#include "import/saved_settings_add.h"

#include "app/project_store.h"
#include "common/ini_file.h"
#include "common/name_flag_list.h"
#include "dictionaries/dictionary_file.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include "print_qstring.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(AddWithSavedSettings, UsesTheSavedOptionsIdentifiersAndDictionaries)
{
    TempProgramFolder folder;
    AddOptions saved;
    saved.splitBySize = false;
    saved.applyDictionaries = true;
    saved.fixYears = false;
    ASSERT_TRUE(saveAddOptions(saved, folder.file(QStringLiteral("Lectorium.ini"))));
    ASSERT_TRUE(
        saveChapterIdentifiers(folder.path(), {{QStringLiteral("Глава #"), false}, {QStringLiteral("Часть #"), true}}));
    QDir().mkpath(folder.file(QStringLiteral("Dic")));
    folder.writeCp1251(QStringLiteral("Dic/stress.dic"), kDictionaryHeader + QStringLiteral("\r\nмаяк=мая+к\r\n")
                                                             + kDictionaryEndLine + QStringLiteral("\r\n"));

    AddRequest request;
    request.programFolder = folder.path();
    request.title = QStringLiteral("Маяк");
    request.text = QStringLiteral("Вступление про маяк.\r\nГлава 1\r\nТекст 2024.\r\nЧасть 2\r\nКонец.");
    request.options.splitBySize = true; // replaced by the saved options
    ScriptedDialogs dialogs;
    const AddResult result = addWithSavedSettings(request, dialogs);
    ASSERT_EQ(result.status, AddStatus::Added);

    const QString book = bookFolder(folder.path(), QStringLiteral("Маяк"));
    EXPECT_EQ(result.blockCount, 2); // only the identifier that is on cuts
    EXPECT_EQ(readIni(QStringLiteral("Оглавление"), QStringLiteral("Блок2"), projectIniPath(book)),
              QStringLiteral("Часть 2"));
    EXPECT_TRUE(readBlockFile(book, 1).contains(QStringLiteral("про мая+к.")));
    EXPECT_TRUE(readBlockFile(book, 1).contains(QStringLiteral("Текст 2024.")));
}

// Without the editor, the loaded book's layout decides what the editor
// would have set on loading: "no indent" and the FictionBook section rule.
TEST(AddWithSavedSettings, TheBooksLayoutWinsOverTheSavedChoices)
{
    TempProgramFolder folder;
    AddOptions saved;
    saved.splitBySize = false;
    saved.fixYears = false;
    saved.paragraphWithoutIndent = false;
    ASSERT_TRUE(saveAddOptions(saved, folder.file(QStringLiteral("Lectorium.ini"))));
    ASSERT_TRUE(saveChapterIdentifiers(folder.path(), {{QStringLiteral("\\\\\\"), false}}));

    AddRequest request;
    request.programFolder = folder.path();
    request.title = QStringLiteral("Разделы");
    request.text = QStringLiteral("- Кто там? - спросил он.\r\nНикто.\r\n\r\n\r\n\r\nРаздел без номера\r\nТекст.");
    request.paragraphWithoutIndent = true;
    request.sectionsMarked = true;
    ScriptedDialogs dialogs;
    const AddResult result = addWithSavedSettings(request, dialogs);
    ASSERT_EQ(result.status, AddStatus::Added);
    EXPECT_EQ(result.blockCount, 2);
    const QString book = bookFolder(folder.path(), request.title);
    // the reply's paragraph ends at its line: the next one is narration
    EXPECT_TRUE(readBlockFile(book, 1).contains(QStringLiteral("спросил он. {повествование->}  {пауза->} \r\nНикто.")))
        << readBlockFile(book, 1).toStdString();
    // the saved list itself is left as the user keeps it
    EXPECT_EQ(loadChapterIdentifiers(folder.path())->value(0).flag, false);
}
