#include "import/add_options.h"
#include "import/editor_estimate.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

TEST(EditorEstimate, BookEstimateRoundsToFiveMinutesHalfUp)
{
    // 48,000 characters at 21 are 3150 s: 10.5 steps of 300 s go up to 11.
    EXPECT_EQ(bookEstimateLabel(48000, 21), QStringLiteral("~ 00:55:00"));
    // 3149 s (47,985 characters) stay at 10 steps.
    EXPECT_EQ(bookEstimateLabel(47985, 21), QStringLiteral("~ 00:50:00"));
    EXPECT_EQ(bookEstimateLabel(0, 21), QStringLiteral("~ 00:00:00"));
    EXPECT_EQ(estimateLabel(48000, 21), QStringLiteral("~ 00:52:30"));
}

TEST(EditorEstimate, SliderAndSizeFieldAreOneValue)
{
    const QString size = sizeTextForSliderPosition(10, 21);
    EXPECT_TRUE(size.startsWith(QStringLiteral("4571.428"))) << size.toStdString();
    AddOptions options;
    options.maxBlockSizeText = size;
    EXPECT_EQ(options.maxBlockSize(), 4571);
    EXPECT_EQ(sliderPositionForSize(4571, 21), 10);
    for (int position : {1, 7, 25, 60})
        EXPECT_EQ(sliderPositionForSize(sizeTextForSliderPosition(position, 30).toDouble(), 30), position);
}
