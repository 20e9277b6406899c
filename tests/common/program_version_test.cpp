#include "common/program_version.h"

#include <gtest/gtest.h>

TEST(ProgramVersion, RevisionHasTwoDigits)
{
    EXPECT_EQ(versionText(0, 7, 7), QStringLiteral("0.7.07"));
    EXPECT_EQ(versionText(1, 2, 12), QStringLiteral("1.2.12"));
    EXPECT_TRUE(programVersion().count(u'.') == 2);
}

TEST(ProgramVersion, PlainFormWritesEachNumberAsItIs)
{
    EXPECT_EQ(plainProgramVersion(), QStringLiteral(LECTORIUM_VERSION)); // "0.1.0", not "0.1.00"
}
