#include "app/settings.h"
#include "common/ini_file.h"
#include "common/text_codec.h"

#include "support/temp_program_folder.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

TEST(Settings, RoundTripKeepsEveryValue)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Lectorium.ini"));
    Settings saved;
    saved.bookIndex = 2;
    saved.afterFinish = AfterFinish::Exit;
    saved.coefficient1 = 1.5;
    saved.speechCubePath = QStringLiteral("C:\\Путь с пробелом\\SpeechCube.exe");
    saved.narrationRate = QStringLiteral("-3");
    saved.lameParameters = QStringLiteral("-b 16 -h -V 6 -B 112 --resample 16");
    saved.outputFolder = QStringLiteral("/home/u/Аудиокниги");
    saved.fileNameTemplate = QStringLiteral("%n%. %t%");
    saved.translit = true;
    saved.audiobookFormat = AudiobookFormat::Mp3Book;
    saved.deleteBlockMp3 = true;
    saved.mainPlacement = QStringLiteral("100;200;8070;3405;0");
    ASSERT_TRUE(saveSettings(saved, path));

    Settings loaded;
    loadSettings(loaded, path);
    EXPECT_EQ(loaded.bookIndex, 2);
    EXPECT_EQ(loaded.afterFinish, AfterFinish::Exit);
    EXPECT_DOUBLE_EQ(loaded.coefficient1, 1.5);
    EXPECT_EQ(loaded.speechCubePath, saved.speechCubePath);
    EXPECT_EQ(loaded.narrationRate, QStringLiteral("-3"));
    EXPECT_EQ(loaded.lameParameters, saved.lameParameters);
    EXPECT_EQ(loaded.outputFolder, saved.outputFolder);
    EXPECT_EQ(loaded.fileNameTemplate, saved.fileNameTemplate);
    EXPECT_EQ(loaded.translit, 1);
    EXPECT_EQ(loaded.audiobookFormat, AudiobookFormat::Mp3Book);
    EXPECT_TRUE(loaded.deleteBlockMp3);
    EXPECT_EQ(loaded.mainPlacement, saved.mainPlacement);

    // Windows-1251 with CR LF, numbers with a decimal point.
    const QByteArray bytes = folder.readBytes(QStringLiteral("Lectorium.ini"));
    EXPECT_TRUE(bytes.startsWith(Codec::toCp1251(QStringLiteral("[Общие настройки]\r\nНомер книги=2\r\n"))));
    EXPECT_TRUE(bytes.contains(Codec::toCp1251(QStringLiteral("\r\nКоэффициент1=1.5\r\n"))));
    EXPECT_FALSE(bytes.contains("\n\n"));
}

TEST(Settings, ConversionsOnLoadAndSave)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Lectorium.ini"));
    Settings s;
    s.afterFinish = AfterFinish::SwitchOff; // switch off never survives a restart
    s.renameByChapters = false;
    ASSERT_TRUE(saveSettings(s, path));
    EXPECT_EQ(readIni(QStringLiteral("Общие настройки"), QStringLiteral("Событие по завершению"), path),
              QStringLiteral("1"));
    EXPECT_EQ(readIni(QStringLiteral("Настройки аудиофайлов"), QStringLiteral("Переименовывать по главам"), path),
              QStringLiteral("0"));

    struct Case
    {
        const char *coefficient;
        double expected;
    };
    const Case cases[] = {
        {"0", kDefaultCoefficient1}, {"abc", kDefaultCoefficient1}, {"1.5", 1.5}, {"2.25xyz", 2.25}, {"30", 30}};
    for (const Case &c : cases) {
        writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Коэффициент1"), QString::fromLatin1(c.coefficient),
                 path);
        writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Номер книги"), -5, path);
        Settings loaded;
        loaded.renameByChapters = false;
        loadSettings(loaded, path);
        EXPECT_DOUBLE_EQ(loaded.coefficient1, c.expected) << c.coefficient;
        EXPECT_EQ(loaded.bookIndex, 0);
        EXPECT_EQ(loaded.renameByChapters, 1);
    }

    // A format this program does not know keeps the folder of MP3 files.
    for (const int stored : {7, -1}) {
        writeIni(QStringLiteral("Настройки аудиофайлов"), QStringLiteral("Формат аудиокниги"), stored, path);
        Settings loaded;
        loaded.audiobookFormat = AudiobookFormat::M4bBook;
        loadSettings(loaded, path);
        EXPECT_EQ(loaded.audiobookFormat, AudiobookFormat::BlockMp3) << stored;
    }
}

TEST(Settings, DecimalPointWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Lectorium.ini"));
    Settings s;
    s.coefficient1 = 1.5;
    ASSERT_TRUE(saveSettings(s, path));
    Settings loaded;
    loadSettings(loaded, path);
    QLocale::setDefault(QLocale::c());
    EXPECT_DOUBLE_EQ(loaded.coefficient1, 1.5);
    EXPECT_TRUE(folder.readBytes(QStringLiteral("Lectorium.ini")).contains("=1.5\r\n"));
}

TEST(Settings, BadLinesMissingKeysAndLongValuesLoseNothingElse)
{
    TempProgramFolder folder;
    // A garbage line, a missing key in the middle ("Сворачивать в трей"), a
    // number that is no number and a value of 300 characters.
    folder.writeCp1251(QStringLiteral("Lectorium.ini"),
                       QStringLiteral("\x01\x02 мусор ]]]\r\n[Общие настройки]\r\nНомер книги=4\r\n"
                                      "Событие по завершению=x\r\nВсегда иконка в трее=1\r\n"
                                      "[Настройки путей]\r\nКаталог для готовых аудиофайлов=")
                           + QString(300, u'д') + QStringLiteral("\r\n[Окна]\r\nГлавное=1;2;3;4;0\r\n"));
    Settings loaded;
    loaded.afterFinish = AfterFinish::Exit;
    loaded.minimizeToTray = true;
    loadSettings(loaded, folder.file(QStringLiteral("Lectorium.ini")));
    EXPECT_EQ(loaded.bookIndex, 4);
    EXPECT_EQ(loaded.afterFinish, AfterFinish::Exit); // no number: kept
    EXPECT_EQ(loaded.minimizeToTray, 1);              // missing: kept
    EXPECT_EQ(loaded.alwaysTrayIcon, 1);              // later keys still read
    EXPECT_EQ(loaded.outputFolder, QString(254, u'д'));
    EXPECT_EQ(loaded.mainPlacement, QStringLiteral("1;2;3;4;0"));
}

TEST(Settings, ShippedDefaultsHoldEveryKey)
{
    // The default settings file that is installed with the program must give
    // every key, so a first start reads nothing from thin air.
    QFile shipped(QStringLiteral(":/seed/Lectorium.ini"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const IniDocument doc = IniDocument::fromText(Codec::fromCp1251(shipped.readAll()));
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("all.ini"));
    ASSERT_TRUE(saveSettings(Settings(), path));
    const IniDocument all = IniDocument::load(path);
    QString section;
    for (const QString &line : all.lines()) {
        if (line.startsWith(u'[')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const QString key = line.left(line.indexOf(u'='));
        bool present = false;
        for (const QString &l : doc.lines())
            present = present || l.startsWith(key + u'=');
        EXPECT_TRUE(present) << section.toStdString() << "/" << key.toStdString();
    }
    Settings fromShipped;
    fromShipped.firstStart = false;
    loadSettings(fromShipped, QStringLiteral(":/seed/Lectorium.ini"));
    EXPECT_EQ(fromShipped.firstStart, 1);
}
