#include "import/name_search_options.h"

#include "print_qstring.h"
#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(NameSearchOptions, SavedAndReadBackAndMissingKeysKeepValues)
{
    TempProgramFolder folder;
    const QString ini = folder.file(QStringLiteral("Lectorium.ini"));
    folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[Поиск имен]\r\nИскать латиницу=0\r\n"));
    NameSearchOptions options;
    loadNameSearchOptions(options, ini);
    EXPECT_FALSE(options.foreignWords);
    EXPECT_FALSE(options.longWords);
    EXPECT_EQ(options.minimumLength, 5);

    options.longWords = true;
    options.minimumLength = 9;
    ASSERT_TRUE(saveNameSearchOptions(options, ini));
    NameSearchOptions read;
    loadNameSearchOptions(read, ini);
    EXPECT_FALSE(read.foreignWords);
    EXPECT_TRUE(read.longWords);
    EXPECT_EQ(read.minimumLength, 9);
}

TEST(NameSearchOptions, WordLengthMenuShowsTheOptions)
{
    const QList<WordLengthChoice> &choices = wordLengthChoices();
    ASSERT_EQ(choices.first().caption, QStringLiteral("Не искать"));
    EXPECT_EQ(choices.at(1).caption, QStringLiteral(">15 букв"));
    EXPECT_EQ(choices.at(choices.size() - 2).caption, QStringLiteral(">1 буквы"));
    EXPECT_EQ(choices.last().caption, QStringLiteral("Все слова"));

    NameSearchOptions options;
    options.longWords = false;
    EXPECT_EQ(wordLengthChoiceIndex(options), 0);
    options.longWords = true;
    options.minimumLength = 15;
    EXPECT_EQ(wordLengthChoiceIndex(options), 1);
    options.minimumLength = 0;
    EXPECT_EQ(wordLengthChoiceIndex(options), choices.size() - 1);
    options.minimumLength = 40;
    EXPECT_EQ(wordLengthChoiceIndex(options), -1);
}
