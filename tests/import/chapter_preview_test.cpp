#include "import/chapter_preview.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

namespace {

const SpeakingRate kRate{21, 44100};

int estimateSeconds(qint64 characters)
{
    return int(kRate.seconds(characters));
}

} // namespace

TEST(TimeEstimate, SecondsAndTheirFormat)
{
    EXPECT_EQ(formatDuration(3150), QStringLiteral("00:52:30"));
    EXPECT_EQ(formatDuration(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(formatDuration(100 * 3600 + 61), QStringLiteral("100:01:01"));
}

TEST(ChapterPreview, RowsForHeadingsAndSizeParts)
{
    AddOptions options;
    options.splitBySize = true;
    options.maxBlockSizeText = QStringLiteral("30");
    ChapterDetector detector({{QStringLiteral("Глава #"), true}}, false);
    const QString text = QStringLiteral("Вступление.\r\nГлава 1\r\nДлинный текст первой главы книги.\r\nЕщё.\r\n"
                                        "\tГлава 2\r\nКонец.");
    const ChapterPreview preview = previewChapters(text, QStringLiteral("Книга"), options, kRate, detector);
    ASSERT_EQ(preview.rows.size(), 4);
    struct Expected
    {
        int number;
        const char16_t *chapter;
        qsizetype start;
        qsizetype length;
        int seconds;
    };
    const Expected expected[] = {
        {1, u"Книга", 0, 0, estimateSeconds(13 + 9)},
        {2, u"Глава 1", 13, 7, estimateSeconds(35 + 6)}, // the line that breaks counts in
        {3, u"Глава 1 (2)", 57, 4, estimateSeconds(10)},
        {4, u"Глава 2", 63, 8, estimateSeconds(6)},
    };
    for (int i = 0; i < 4; ++i) {
        const PreviewRow &row = preview.rows[i];
        EXPECT_EQ(row.number, expected[i].number);
        EXPECT_EQ(row.chapter, QString::fromUtf16(expected[i].chapter));
        EXPECT_EQ(row.start, expected[i].start) << i;
        EXPECT_EQ(row.length, expected[i].length) << i;
        EXPECT_EQ(row.seconds, expected[i].seconds) << i;
    }
    EXPECT_EQ(text.mid(preview.rows[3].start, preview.rows[3].length), QStringLiteral("\tГлава 2"));
    EXPECT_FALSE(preview.stopped);
}

TEST(ChapterPreview, StopsWhenAskedAndResetsTheEmptyLineCount)
{
    AddOptions options;
    options.splitBySize = false;
    ChapterDetector detector({{QStringLiteral("\\"), true}}, false);
    int asked = 0;
    const ChapterPreview preview = previewChapters(QStringLiteral("а\r\n\r\nб\r\n\r\nв\r\n\r\n"), QStringLiteral("К"),
                                                   options, kRate, detector, [&] { return ++asked < 2; });
    EXPECT_TRUE(preview.stopped);
    EXPECT_EQ(preview.rows.size(), 3);
    EXPECT_EQ(detector.emptyCount, 0);
}
