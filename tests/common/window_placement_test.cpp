#include "common/window_placement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, FiveFieldsOrNothing)
{
    EXPECT_FALSE(parsePlacement(QStringLiteral("1;2;3;4")).has_value());
    const auto p = parsePlacement(QStringLiteral("1500;300.5;8070;3405;2"));
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->left, 1500);
    EXPECT_EQ(p->top, 300.5);
    EXPECT_EQ(p->width, 8070);
    EXPECT_EQ(p->height, 3405);
    EXPECT_EQ(p->state, 2);
    // A field that does not convert is skipped, the others still apply.
    const auto bad = parsePlacement(QStringLiteral("x;2;3;4;0"));
    ASSERT_TRUE(bad.has_value());
    EXPECT_FALSE(bad->left.has_value());
    EXPECT_EQ(bad->top, 2);
    EXPECT_EQ(placementString(1500, 300.5, 8070, 3405, 0), QStringLiteral("1500;300.5;8070;3405;0"));
}

TEST(WindowPlacement, KeepOnScreen)
{
    const double W = 19200, H = 10800; // 1280 x 720 pixels
    struct Case
    {
        ScreenRect in, out;
    };
    const Case cases[] = {
        {{1000, 1000, 8070, 3405}, {1000, 1000, 8070, 3405}},          // on screen: unchanged
        {{-20000, 500, 8070, 3405}, {0, 500, 8070, 3405}},             // far left
        {{500, -9000, 8070, 3405}, {500, 0, 8070, 3405}},              // far above
        {{50000, 500, 8070, 3405}, {W - 8070, 500, 8070, 3405}},       // far right
        {{500, 50000, 8070, 3405}, {500, 0.8 * H - 3405, 8070, 3405}}, // far below
        {{300, 300, 30000, 20000}, {0, 0, W, 0.8 * H}},                // larger than the screen
    };
    for (const Case &c : cases)
        EXPECT_EQ(keepOnScreen(c.in, W, H), c.out) << c.in.left << "," << c.in.top;
}
