#include "common/clean_file_name.h"
#include "common/program_version.h"
#include "mp3/tag_module.h"
#include "mp3/transliterate.h"

#include <gtest/gtest.h>

namespace {

struct CleanCase
{
    QString text, dot, space;
    bool keepBackslash;
    QString expected;
};

TagInfo blockInfo(int count, int number, const QString &title)
{
    TagInfo info;
    info.blockCount = count;
    info.blockNo = number;
    info.blockTitle = title;
    return info;
}

} // namespace

TEST(CleanFileName, ReplacesRemovesAndTrims)
{
    const CleanCase cases[] = {
        {u"Что? Где! Когда..."_qs, u"."_qs, u" "_qs, true, u"Что Где Когда..."_qs},
        {u"Что? Где! Когда..."_qs, u" "_qs, u" "_qs, true, u"Что Где Когда"_qs},
        {u"Глава 1.2"_qs, u" "_qs, u"_"_qs, true, u"Глава_1_2"_qs},
        {u"  Два  пробела "_qs, u"."_qs, u" "_qs, true, u"Два пробела"_qs},
        {u"a\\b/c:d"_qs, u"."_qs, u" "_qs, true, u"a\\b-c-d"_qs},
        {u"a\\b"_qs, u"."_qs, u" "_qs, false, u"a-b"_qs},
        {u"$%&@;x*y"_qs, u"."_qs, u" "_qs, true, u"x#y"_qs},
        {u"\"Кавычки\" \u201Cи\u201D\tтаб"_qs, u"."_qs, u"_"_qs, true, u"Кавычки_и_таб"_qs},
        {u"<a|b>"_qs, u""_qs, u""_qs, false, u"<a|b>"_qs},
        {u"a . b"_qs, u""_qs, u""_qs, false, u"a . b"_qs},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cleanFileName(c.text, c.dot, c.space, c.keepBackslash), c.expected) << c.text.toStdString();
}

TEST(Transliterate, MapsEveryRussianLetter)
{
    EXPECT_EQ(transliterate(u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"_qs), u"ABVGDEEJZIYKLMNOPRSTUFHCCHSHSHYEUJA"_qs);
    EXPECT_EQ(transliterate(u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"_qs), u"abvgdeejziyklmnoprstufhcchshshyeuja"_qs);
    EXPECT_EQ(transliterate(u"Съезд, 2-й \"Ёж\" x"_qs), u"Sezd, 2-y \"Ej\" x"_qs);
}

TEST(BuildFileName, PlaceholdersPaddingAndOptions)
{
    const TagInfo info = blockInfo(92, 2, u"Глава первая"_qs);
    EXPECT_EQ(buildFileName(u"%n%-%t%"_qs, info, {}, u"."_qs, u" "_qs, false), u"02-Глава первая.mp3"_qs);
    EXPECT_EQ(buildFileName(u"  "_qs, info, {}, u"."_qs, u"_"_qs, false), u"02-Глава_первая.mp3"_qs);
    EXPECT_EQ(buildFileName(u"%n%-%t%"_qs, info, {}, u"."_qs, u"_"_qs, true), u"02-Glava_pervaja.mp3"_qs);
    // A title ending in a full stop: one dot before the extension.
    const TagInfo sentence = blockInfo(92, 2, u"Аннотация."_qs);
    EXPECT_EQ(buildFileName(u"%n%-%t%"_qs, sentence, {}, u"."_qs, u" "_qs, false), u"02-Аннотация.mp3"_qs);
    EXPECT_EQ(buildFileName(u"%n%-%t%"_qs, sentence, {}, u" "_qs, u" "_qs, false), u"02-Аннотация.mp3"_qs);

    EXPECT_EQ(buildFileName(u"%n%"_qs, blockInfo(1000, 7, {}), {}, u"."_qs, u" "_qs, false), u"0007.mp3"_qs);
    EXPECT_EQ(buildFileName(u"%n%"_qs, blockInfo(9, 7, {}), {}, u"."_qs, u" "_qs, false), u"7.mp3"_qs);
    EXPECT_EQ(buildFileName(u"%n%"_qs, blockInfo(9, 12, {}), {}, u"."_qs, u" "_qs, false), u"12.mp3"_qs);

    TagInfo book = blockInfo(10, 3, u"Т"_qs);
    book.title = u"Книга"_qs;
    book.series = u"Цикл"_qs;
    book.seriesNo = u"3"_qs;
    book.author = u"Автор"_qs;
    book.date = u"1999"_qs;
    book.genre = u"Жанр"_qs;
    book.projectName = u"Проект"_qs;
    EXPECT_EQ(buildFileName(u"%S%-%Sn%"_qs, book, {}, u"."_qs, u" "_qs, false), u"Цикл-3.mp3"_qs);
    EXPECT_EQ(expandTagTemplate(u"\"%P%\" %T% %A% %D% %G% %N% %n% %t% %l%"_qs, book, u"01-02"_qs),
              u"Проект Книга Автор 1999 Жанр 10 03 Т 01-02"_qs);
    EXPECT_EQ(buildFileName(u"%T%\\%l% %n%"_qs, book, u"00-05"_qs, u"."_qs, u" "_qs, false), u"Книга\\00-05 03.mp3"_qs);
}

TEST(ExpandTagTemplate, KeepsQuotesOfInsertedValues)
{
    TagInfo info = blockInfo(5, 1, u"Глава \"1\""_qs);
    EXPECT_EQ(expandTagTemplate(u"\"%t%\""_qs, info, {}), u"Глава \"1\""_qs);
}

TEST(ID3Tag, SwitchesInOrderWithFallbacks)
{
    Settings settings;
    TagInfo info = blockInfo(400, 300, u"Ёлка"_qs);
    // A book without a title in its description (a text file): the album is
    // its name in the library, so a player keeps its files together.
    EXPECT_EQ(id3TagArguments(settings, info, u"Моя книга"_qs, {}),
              u" --ignore-tag-errors --add-id3v2 --ta \"Моя книга\" --tl \"Моя книга\" --tt \"Ёлка\" --tn \"255\""
              " --tc \"Lectorium "_qs
                  + programVersion() + u" - программа для создания аудиокниг\" --tg \"Speech\" "_qs);
    // The album falls back to the description's title; the year is the
    // date's.
    info.title = u"Ёлки"_qs;
    info.date = u"1 мая 1928"_qs;
    const Id3Tags described = id3TagsFor(settings, info, u"Моя книга"_qs, {});
    EXPECT_EQ(described.album, u"Ёлки"_qs);
    EXPECT_EQ(described.year, u"1928"_qs);
    EXPECT_TRUE(described.arguments().join(u'|').contains(u"|--tl|Ёлки|--ty|1928|"_qs))
        << described.arguments().join(u'|').toStdString();
    info.title.clear();
    info.date.clear();

    settings.translit = true;
    settings.yoToYe = true;
    settings.albumTemplate = u"%T% (%l%)"_qs;
    const Id3Tags tags = id3TagsFor(settings, info, u"Моя книга"_qs, {});
    EXPECT_EQ(tags.artist, u"Moja kniga"_qs);
    EXPECT_EQ(tags.title, u"Elka"_qs);
    EXPECT_EQ(tags.album, u" (00-00)"_qs);
    EXPECT_EQ(tags.comment, u"Lectorium "_qs + programVersion());

    // Template texts are used as they are: no transliteration, but Ё-Е.
    settings.titleTemplate = u"%t% ёж"_qs;
    EXPECT_EQ(id3TagsFor(settings, info, {}, {}).title, u"Елка еж"_qs);
}

TEST(ID3Tag, ArgumentsCarryEachValueWhole)
{
    Id3Tags tags;
    tags.artist = u"-b 8"_qs;
    tags.title = u"\"a\" 'b' $HOME \\ `x`"_qs;
    tags.track = 4;
    tags.comment = u"c"_qs;
    tags.genre = u"Speech"_qs;
    EXPECT_EQ(tags.arguments(),
              QStringList({u"--ignore-tag-errors"_qs, u"--add-id3v2"_qs, u"--id3v2-utf16"_qs, u"--ta"_qs, u"-b 8"_qs,
                           u"--tt"_qs, u"\"a\" 'b' $HOME \\ `x`"_qs, u"--tn"_qs, u"4"_qs, u"--tv"_qs, u"COMM==c"_qs,
                           u"--tg"_qs, u"Speech"_qs}));
}
