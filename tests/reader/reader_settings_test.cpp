// The reader's font and colours in the settings file.

#include "reader/reader_settings.h"

#include "common/ini_file.h"

#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

namespace {

bool sameSettings(const ReaderSettings &a, const ReaderSettings &b)
{
    return a.fontName == b.fontName && a.bold == b.bold && a.italic == b.italic && a.size == b.size
           && a.background == b.background && a.unread == b.unread && a.reading == b.reading && a.read == b.read;
}

} // namespace

TEST(ReaderSettings, SavedValuesComeBackAndOtherSectionsStay)
{
    TempProgramFolder folder;
    const QString ini = folder.file(QStringLiteral("Lectorium.ini"));
    folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[Общие настройки]\r\nНомер книги=3\r\n"));
    ReaderSettings saved;
    saved.fontName = QStringLiteral("Liberation Sans");
    saved.bold = true;
    saved.italic = true;
    saved.size = 10.5;
    saved.background = 0x102030;
    saved.unread = 0xFFFFFF;
    saved.reading = 0x00FF00;
    saved.read = 1;
    ASSERT_TRUE(saveReaderSettings(saved, ini));

    ReaderSettings loaded;
    loadReaderSettings(loaded, ini);
    EXPECT_TRUE(sameSettings(loaded, saved));
    EXPECT_EQ(readIni(QStringLiteral("Шрифт"), QStringLiteral("Size"), ini), QStringLiteral("10.5"));
    EXPECT_EQ(readIni(QStringLiteral("Цвета"), QStringLiteral("Фон"), ini), QStringLiteral("1056816"));
    EXPECT_EQ(readIni(QStringLiteral("Общие настройки"), QStringLiteral("Номер книги"), ini), QStringLiteral("3"));
}

TEST(ReaderSettings, WithoutAFileOrUsableValuesTheBuiltInOnesStay)
{
    TempProgramFolder folder;
    const ReaderSettings builtIn;
    ReaderSettings settings;
    loadReaderSettings(settings, folder.file(QStringLiteral("Lectorium.ini")));
    EXPECT_TRUE(sameSettings(settings, builtIn));

    // Older files hold flags as words and sizes with a decimal comma; a
    // system colour (high bit set) or a word is no colour.
    folder.writeCp1251(QStringLiteral("Lectorium.ini"),
                       QStringLiteral("[Шрифт]\r\nBold=True\r\nItalic=-1\r\nSize=11,5\r\n"
                                      "[Цвета]\r\nФон=-2147483643\r\nОсновной=красный\r\nЧитаемый=255\r\n"));
    loadReaderSettings(settings, folder.file(QStringLiteral("Lectorium.ini")));
    EXPECT_EQ(settings.fontName, builtIn.fontName);
    EXPECT_TRUE(settings.bold);
    EXPECT_TRUE(settings.italic);
    EXPECT_EQ(settings.size, 11.5);
    EXPECT_EQ(settings.background, builtIn.background);
    EXPECT_EQ(settings.unread, builtIn.unread);
    EXPECT_EQ(settings.reading, 255);
    EXPECT_EQ(settings.read, builtIn.read);
}
