// A book's chapters as the reader lists and shows them.

#include "app/project_store.h"
#include "reader/chapter_list.h"
#include "reader/chapter_text.h"

#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(ChapterText, DropsMarkersIndentsParagraphsAndCountsOneCharacterPerLineEnd)
{
    const struct
    {
        const char *block;
        const char *shown;
    } cases[] = {
        {"Глава 1\r\n Первый абзац.\r\n Второй.\r\n", "Глава 1\n    Первый абзац.\n    Второй.\n"},
        // Markers as the add pass writes them, each with the space after it.
        {"Глава\r\n {речь->}  - Да, {автор->}  - сказал он. {повествование->}  {пауза->} \r\n",
         "Глава\n    - Да, - сказал он.\n"},
        {"Раз. {пауза->}  Два.\r\n {речь2->}  Три.", "Раз. Два.\n    Три."},
        // A line end that is not CR LF still counts as one character.
        {"a\rb\nc", "a\nb\nc"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(chapterDisplayText(QString::fromUtf8(c.block)), QString::fromUtf8(c.shown)) << c.block;
}

TEST(ChapterText, TellsWhereEachRoleBeginsInTheShownText)
{
    const ChapterText chapter =
        chapterText(QStringLiteral("Он вошёл.\r\n {речь->}  - Да, {автор->}  - сказал он. {повествование->}  Тихо."));
    ASSERT_EQ(chapter.text, QStringLiteral("Он вошёл.\n    - Да, - сказал он. Тихо."));
    QStringList roles;
    for (const RoleStart &r : chapter.roles)
        roles << QString::number(r.role) + u':' + chapter.text.mid(r.position, 6);
    EXPECT_EQ(roles, (QStringList{QStringLiteral("2:    - "), QStringLiteral("4: - ска"), QStringLiteral("1: Тихо.")}));
}

TEST(ChapterText, ReadsTheChaptersBlockFileAndShowsNothingForAMissingOne)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Projects/Книга/0002.txt"), QStringLiteral("Вторая\r\n глава\r\n"));
    const QString book = bookFolder(folder.path(), QStringLiteral("Книга"));
    EXPECT_EQ(loadChapterText(book, 2), QStringLiteral("Вторая\n    глава\n"));
    EXPECT_EQ(loadChapterText(book, 1), QString());
}

TEST(ChapterList, NamesChaptersFromTheTableOfContentsOrByBlock)
{
    TempProgramFolder folder;
    for (const char *name : {"0001.txt", "0002.txt", "0003.txt"}) {
        folder.writeCp1251(QStringLiteral("Projects/С оглавлением/") + QLatin1String(name), QStringLiteral("x\r\n"));
        folder.writeCp1251(QStringLiteral("Projects/Без оглавления/") + QLatin1String(name), QStringLiteral("x\r\n"));
    }
    folder.writeCp1251(QStringLiteral("Projects/С оглавлением/project.ini"),
                       QStringLiteral("[Оглавление]\r\nКол-во=2\r\nБлок1=Начало\r\nБлок2=Конец\r\n"));
    folder.writeCp1251(QStringLiteral("Projects/Без оглавления/project.ini"),
                       QStringLiteral("[Информация]\r\nАвтор=Кто-то\r\n"));

    EXPECT_EQ(loadChapterList(bookFolder(folder.path(), QStringLiteral("С оглавлением"))),
              QStringList({QStringLiteral("Начало"), QStringLiteral("Конец")}));
    EXPECT_EQ(loadChapterList(bookFolder(folder.path(), QStringLiteral("Без оглавления"))),
              QStringList({QStringLiteral("Блок 1"), QStringLiteral("Блок 2"), QStringLiteral("Блок 3")}));
    EXPECT_EQ(chapterEntry(12, QStringLiteral("Конец")), QStringLiteral("[12] Конец"));
}
