#include "options/ui/shutdown_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(ShutdownWindow, OkPowersOffAtOnceAndCancelPreventsIt)
{
    int requests = 0;
    {
        ShutdownWindow window([&] {
            ++requests;
            return true;
        });
        window.show();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Lectorium - Выключение компьютера"));
        EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("countdownLabel"))->text(),
                  QStringLiteral("Компьютер будет выключен через\n30 секунд!"));
        EXPECT_EQ(window.beeps(), 1);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("powerOffNowButton")), Qt::LeftButton);
        EXPECT_EQ(requests, 1);
        EXPECT_FALSE(window.isVisible());
    }
    {
        ShutdownWindow window([&] {
            ++requests;
            return true;
        });
        window.show();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        QTest::qWait(1200); // the timer stopped with the window
        EXPECT_EQ(requests, 1);
    }
}
