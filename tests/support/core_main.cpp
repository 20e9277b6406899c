#include "support/child_mode.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (const int child = runChildMode(argc, argv); child >= 0)
        return child;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
