#include "common/name_flag_list.h"
#include "common/text_codec.h"

#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(NameFlagList, RoundTripIncludingQuotesInNames)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Batch.cfg"));
    const QList<NameFlag> records = {
        {QStringLiteral("Война и мир"), true}, {QStringLiteral("Глава \"#\""), false}, {QStringLiteral("a, b"), true}};
    ASSERT_TRUE(writeNameFlagList(path, records));
    EXPECT_EQ(folder.readBytes(QStringLiteral("Batch.cfg")),
              Codec::toCp1251(QStringLiteral("\"Война и мир\",#TRUE#\r\n\"Глава \"#\"\",#FALSE#\r\n"
                                             "\"a, b\",#TRUE#\r\n")));
    EXPECT_EQ(readNameFlagList(path), records);
}

TEST(NameFlagList, SkipsLinesThatAreNoRecord)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("x.cfg"),
                       QStringLiteral("мусор\r\n\"a\",#TRUE#\r\n\r\n\"b\",maybe\r\n\"c\" , #false#\r\n"));
    const QList<NameFlag> expected = {{QStringLiteral("a"), true}, {QStringLiteral("c"), false}};
    EXPECT_EQ(readNameFlagList(folder.file(QStringLiteral("x.cfg"))), expected);
    EXPECT_TRUE(readNameFlagList(folder.file(QStringLiteral("missing.cfg"))).isEmpty());
}
