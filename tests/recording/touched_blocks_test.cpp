// Which blocks of the library a dictionary change is heard in.

#include "recording/touched_blocks.h"

#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

namespace {

void writeBook(const TempProgramFolder &folder, const QString &book, const QStringList &blocks)
{
    for (int n = 1; n <= blocks.size(); ++n)
        folder.writeCp1251(QStringLiteral("Projects/%1/%2.txt").arg(book).arg(n, 4, 10, QLatin1Char('0')),
                           blocks.at(n - 1) + QStringLiteral("\r\n"));
}

} // namespace

TEST(TouchedBlocks, TheBlocksWhoseSpokenTextTheChangeAltersInEveryBookAsked)
{
    TempProgramFolder folder;
    writeBook(folder, QStringLiteral("Дом"),
              {QStringLiteral("Старый дом стоял у реки."), QStringLiteral("В окне горел свет."),
               QStringLiteral("Светлый вечер."), QStringLiteral("СВЕТ погас.")});
    writeBook(folder, QStringLiteral("Лес"), {QStringLiteral("Свет луны."), QStringLiteral("Тёмный лес.")});
    writeBook(folder, QStringLiteral("Поле"), {QStringLiteral("Рожь и овёс.")});
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"мой.dic\",#TRUE#\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/мой.dic"), QStringLiteral("дом=до+м\r\n"));
    const auto before = enabledDictionaries(folder.path());
    // A whole-word entry: "Светлый" holds the key but is not touched, and
    // the case of the text does not matter.
    folder.writeCp1251(QStringLiteral("Dic/мой.dic"), QStringLiteral("дом=до+м\r\nсвет=свэт\r\n"));
    const auto after = enabledDictionaries(folder.path());

    const QStringList books = {QStringLiteral("Дом"), QStringLiteral("Лес"), QStringLiteral("Поле")};
    const TouchedBlocks touched = blocksTouchedByChange(folder.path(), true, books, *before, *after);
    EXPECT_TRUE(touched.complete);
    EXPECT_TRUE(touched.failure.isEmpty());
    EXPECT_EQ(touched.blocksOf(QStringLiteral("Дом")), QList<int>({2, 4}));
    EXPECT_EQ(touched.blocksOf(QStringLiteral("Лес")), QList<int>({1}));
    EXPECT_TRUE(touched.blocksOf(QStringLiteral("Поле")).isEmpty());
    EXPECT_EQ(touched.blocksElsewhere(QStringLiteral("Дом")), 1);
    EXPECT_EQ(touched.booksElsewhere(QStringLiteral("Дом")), 1);
    EXPECT_EQ(touched.blocksElsewhere(QStringLiteral("Лес")), 2);

    // No change, nothing touched; a count cut short says so.
    EXPECT_TRUE(blocksTouchedByChange(folder.path(), true, books, *after, *after).books.isEmpty());
    EXPECT_FALSE(blocksTouchedByChange(folder.path(), true, books, *before, *after, [] { return false; }).complete);
}
