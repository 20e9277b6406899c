#include "options/shutdown.h"

#include <QList>

#include <gtest/gtest.h>

TEST(ShutdownCountdown, TextsAndBeeps)
{
    ShutdownCountdown countdown;
    EXPECT_EQ(countdown.text(), QStringLiteral("Компьютер будет выключен через\n30 секунд!"));
    QList<int> beepsAt;
    while (!countdown.expired()) {
        if (countdown.tick())
            beepsAt.append(countdown.secondsLeft());
        if (countdown.secondsLeft() == 29) {
            EXPECT_EQ(countdown.text(), QStringLiteral("Компьютер будет выключен через\n 29 секунд!"));
        }
    }
    EXPECT_EQ(beepsAt, QList<int>({20, 10, 3, 2, 1, 0}));
}

TEST(ShutdownComputer, OnlyPowerOffIsRequestedAndARefusalIsSilent)
{
    int requests = 0;
    EXPECT_TRUE(shutdownComputer(1, [&] {
        ++requests;
        return true;
    }));
    EXPECT_FALSE(shutdownComputer(1, [&] {
        ++requests;
        return false;
    }));
    EXPECT_FALSE(shutdownComputer(2, [&] {
        ++requests;
        return true;
    }));
    EXPECT_EQ(requests, 2);
}
