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
