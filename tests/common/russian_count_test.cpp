#include "common/russian_count.h"

#include <gtest/gtest.h>

TEST(RussianCount, TheNounFollowsTheNumber)
{
    const std::pair<int, const char *> cases[] = {{1, "1 байт"},       {2, "2 байта"},  {5, "5 байтов"},
                                                  {11, "11 байтов"},   {21, "21 байт"}, {22, "22 байта"},
                                                  {112, "112 байтов"}, {0, "0 байтов"}};
    for (const auto &[n, expected] : cases)
        EXPECT_EQ(russianCount(n, QStringLiteral("байт"), QStringLiteral("байта"), QStringLiteral("байтов")),
                  QString::fromUtf8(expected));
}
