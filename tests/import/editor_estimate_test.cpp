#include "import/add_options.h"
#include "import/editor_estimate.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

namespace {

// "Коэффициент1" 21 (2,100 WAV bytes a character) with the voice's
// 22,050 Hz 16-bit mono files: 21 characters a second.
const SpeakingRate kRate{21, 44100};

} // namespace

TEST(EditorEstimate, SecondsComeFromTheVoicesByteRate)
{
    EXPECT_EQ(kRate.seconds(48000), 2286); // not the 3,150 s that 32,000 bytes a second would give
    EXPECT_EQ(kRate.seconds(0), 0);
    EXPECT_EQ((SpeakingRate{21, 0}).seconds(48000), 0);
    EXPECT_EQ(estimateLabel(48000, kRate), QStringLiteral("~ 00:38:06"));
}

TEST(EditorEstimate, BookEstimateRoundsToFiveMinutesHalfUp)
{
    // 66,150 characters are 3,150 s: 10.5 steps of 300 s go up to 11.
    EXPECT_EQ(bookEstimateLabel(66150, kRate), QStringLiteral("~ 00:55:00"));
    // 3,149 s stay at 10 steps.
    EXPECT_EQ(bookEstimateLabel(66129, kRate), QStringLiteral("~ 00:50:00"));
    EXPECT_EQ(bookEstimateLabel(0, kRate), QStringLiteral("~ 00:00:00"));
}

TEST(EditorEstimate, SliderAndSizeFieldAreOneValue)
{
    const QString size = sizeTextForSliderPosition(10, kRate); // 300 s
    EXPECT_EQ(size, QStringLiteral("6300"));
    AddOptions options;
    options.maxBlockSizeText = size;
    EXPECT_EQ(options.maxBlockSize(), 6300);
    EXPECT_EQ(sliderPositionForSize(6300, kRate), 10);
    const SpeakingRate other{30, 44100};
    for (int position : {1, 7, 25, 60})
        EXPECT_EQ(sliderPositionForSize(sizeTextForSliderPosition(position, other).toDouble(), other), position);
}
