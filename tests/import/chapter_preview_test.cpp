#include "import/chapter_preview.h"

#include "import/add_pass.h"
#include "import/text_normalisation.h"

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
        {1, u"Книга", 0, 0, estimateSeconds(13)},
        {2, u"Глава 1", 13, 7, estimateSeconds(9 + 35)}, // the line that breaks counts in
        {3, u"Глава 1(2)", 57, 4, estimateSeconds(6)},   // named as the add pass names it
        {4, u"Глава 2", 63, 8, estimateSeconds(10 + 6)},
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

// The preview shows exactly the blocks adding makes: no row for a heading
// that begins no block, names as the table of contents will hold them.
TEST(ChapterPreview, RowsAreTheBlocksTheAddPassMakes)
{
    AddOptions options;
    options.maxBlockSizeText = QStringLiteral("60");
    const QList<ChapterIdentifier> identifiers = {{QStringLiteral("Часть {номер}"), true},
                                                  {QStringLiteral("Глава {номер}"), true},
                                                  {QStringLiteral("{римское}|"), true},
                                                  {QStringLiteral("[*] [*] [*]"), true},
                                                  {QStringLiteral("Эпилог|"), true}};
    const QString text =
        QStringLiteral("Часть первая\r\n\r\nГлава 1\r\nНачало первой главы.\r\n* * *\r\nГлава 2\r\nКороткая.\r\n"
                       "Часть вторая\r\nI\r\nДлинный текст главы, в котором больше шестидесяти знаков, до точки.\r\n"
                       "Ещё одна фраза в 2005 году.\r\nII\r\nКонец.\r\nЭпилог");
    ChapterDetector previewDetector(identifiers, false);
    const ChapterPreview preview = previewChapters(text, QStringLiteral("Книга"), options, kRate, previewDetector);
    ChapterDetector addDetector(identifiers, false);
    const BookBlocks book = cutIntoBlocks(fixYears(text), QStringLiteral("Книга"), options, addDetector);

    QStringList rows;
    for (const PreviewRow &row : preview.rows)
        rows.append(row.chapter);
    EXPECT_EQ(rows, book.names);
    EXPECT_EQ(rows, QStringList({QStringLiteral("Книга"), QStringLiteral("Глава 2"), QStringLiteral("Часть вторая. I"),
                                 QStringLiteral("Часть вторая. I(2)"), QStringLiteral("II")}));
    EXPECT_EQ(text.mid(preview.rows[2].start, preview.rows[2].length), QStringLiteral("Часть вторая"));
    int seconds = 0;
    for (const PreviewRow &row : preview.rows)
        seconds += row.seconds;
    EXPECT_NEAR(seconds, estimateSeconds(text.size()), int(preview.rows.size()));
}

TEST(ChapterPreview, StopsWhenAskedAndKeepsTheEmptyLineCount)
{
    AddOptions options;
    options.splitBySize = false;
    ChapterDetector detector({{QStringLiteral("\\"), true}}, false);
    detector.emptyCount = 1;
    int asked = 0;
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("а\r\n\r\n");
    const ChapterPreview preview =
        previewChapters(text, QStringLiteral("К"), options, kRate, detector, [&] { return ++asked < 2; });
    EXPECT_TRUE(preview.stopped);
    EXPECT_TRUE(preview.rows.isEmpty());
    EXPECT_EQ(detector.emptyCount, 1);
}
