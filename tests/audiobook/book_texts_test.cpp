// The texts FFmpeg and players read a book's chapters from, and the small
// choices around them, without running anything.

#include "audiobook/aac_bit_rate.h"
#include "audiobook/audiobook_assembler.h"
#include "audiobook/audiobook_format.h"
#include "audiobook/book_chapters.h"
#include "audiobook/book_tags.h"

#include <gtest/gtest.h>

namespace {

const QList<BookChapter> kChapters = {
    {QStringLiteral("/книги/Том 'первый'/01-Начало.mp3"), QStringLiteral("Глава 1; «Начало» = #1"), 2.377143},
    {QStringLiteral("/книги/Том 'первый'/02-Дорога.mp3"), QStringLiteral("Глава 2\nДорога"), 3.369796},
    {QStringLiteral("/книги/Том 'первый'/03-Конец.mp3"), QString(), 4.362449},
};

} // namespace

TEST(BookChapters, StartAtTheSumOfTheLengthsBefore)
{
    EXPECT_EQ(chapterStarts(kChapters), (QList<qint64>{0, 2377143, 5746939}));
    EXPECT_EQ(totalMicroseconds(kChapters), 10109388);
    // A thousand blocks of an awkward length still add up to the microsecond.
    const QList<BookChapter> many(1000, BookChapter{QString(), QString(), 0.026122});
    EXPECT_EQ(chapterStarts(many).last(), 999 * 26122);
}

TEST(BookChapters, MetadataFileEscapesWhatWouldEndAValue)
{
    BookTags tags;
    tags.title = QStringLiteral("Война и мир\\том 1");
    tags.artist = QStringLiteral("Толстой");
    const QString text = ffmetadataText(tags, kChapters);
    EXPECT_TRUE(text.startsWith(QStringLiteral(";FFMETADATA1\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("title=Война и мир\\\\том 1\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("artist=Толстой\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("album="))) << "an empty tag is left out";
    EXPECT_TRUE(text.contains(QStringLiteral("START=2377143\nEND=5746939\ntitle=Глава 2 Дорога\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("title=Глава 1\\; «Начало» \\= \\#1\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("START=5746939\nEND=10109388\n")));
    EXPECT_EQ(text.count(QStringLiteral("[CHAPTER]")), 3);
}

TEST(BookChapters, JoinListQuotesPathsAndStatesLengths)
{
    const QString text = concatListText(kChapters);
    EXPECT_TRUE(text.startsWith(QStringLiteral("ffconcat version 1.0\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("file '/книги/Том '\\''первый'\\''/02-Дорога.mp3'\nduration 3.369796\n")));
}

TEST(BookChapters, PlaylistNamesFilesBesideItWithLengthsAndTitles)
{
    EXPECT_EQ(playlistText(kChapters), QStringLiteral("#EXTM3U\n"
                                                      "#EXTINF:2,Глава 1; «Начало» = #1\n01-Начало.mp3\n"
                                                      "#EXTINF:3,Глава 2 Дорога\n02-Дорога.mp3\n"
                                                      "#EXTINF:4,03-Конец\n03-Конец.mp3\n"));
}

TEST(BookChapters, BlockNumbersAreShownAsRanges)
{
    EXPECT_EQ(blockNumbersText({1, 2, 3, 7, 9, 10}), QStringLiteral("1–3, 7, 9–10"));
    EXPECT_EQ(blockNumbersText({4}), QStringLiteral("4"));
}

TEST(AacBitRate, FollowsTheMp3OptionsWithinSpeechLimits)
{
    const std::pair<const char *, int> cases[] = {
        {"-b 64 -h", 48}, {"-b 128", 96}, {"-b 320", 128}, {"-b 16", 32}, {"--abr 80", 64},
        {"-V 0", 96},     {"-V 9", 40},   {"", 64},        {"-h", 64},
    };
    for (const auto &[options, expected] : cases)
        EXPECT_EQ(aacBitRate(QString::fromLatin1(options)), expected) << options;
}

TEST(AudiobookFormat, CommandLineNamesRoundTrip)
{
    for (const AudiobookFormat format : {AudiobookFormat::BlockMp3, AudiobookFormat::M4bBook, AudiobookFormat::Mp3Book})
        EXPECT_EQ(audiobookFormatFromName(audiobookFormatName(format)), format);
    EXPECT_EQ(audiobookFormatFromName(QStringLiteral("m4b")), AudiobookFormat::M4bBook);
    EXPECT_FALSE(audiobookFormatFromName(QStringLiteral("M4B")));
    EXPECT_EQ(audiobookFormatCaptions().size(), 3);
}

TEST(BookTags, BookTitleAndTemplatesWithoutBlockFields)
{
    Settings settings;
    settings.artistTemplate = QStringLiteral("%A%");
    TagInfo info;
    info.title = QStringLiteral("Тихий Дон");
    info.author = QStringLiteral("Шолохов");
    info.date = QStringLiteral("издано 1928-05");
    info.blockTitle = QStringLiteral("Глава 5");
    info.blockNo = 5;
    const BookTags tags = bookTagsFor(settings, info, QStringLiteral("Дон"));
    EXPECT_EQ(tags.title, QStringLiteral("Тихий Дон"));
    EXPECT_EQ(tags.artist, QStringLiteral("Шолохов"));
    EXPECT_EQ(tags.album, QStringLiteral("Тихий Дон"));
    EXPECT_EQ(tags.year, QStringLiteral("1928"));
    EXPECT_FALSE(tags.comment.isEmpty());

    settings.albumTemplate = QStringLiteral("%T% (%t%)");
    info.title.clear();
    const BookTags fallback = bookTagsFor(settings, info, QStringLiteral("Дон"));
    EXPECT_EQ(fallback.title, QStringLiteral("Дон"));
    EXPECT_EQ(fallback.album, QStringLiteral(" ()"));
}
