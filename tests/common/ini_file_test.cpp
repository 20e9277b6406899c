#include "common/ini_file.h"
#include "common/text_codec.h"

#include "support/temp_program_folder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(IniFile, PrivateProfileRules)
{
    const IniDocument doc =
        IniDocument::fromText(QStringLiteral("garbage line\r\n[Общие Настройки]\r\n  Ключ = значение  \r\nпусто=\r\n"
                                             "кавычки=\"a b\"\r\n;коммент=1\r\n[Другое]\r\nКлюч=2\r\n"));
    EXPECT_EQ(doc.read(QStringLiteral("общие настройки"), QStringLiteral("КЛЮЧ")), QStringLiteral("значение"));
    EXPECT_EQ(doc.read(QStringLiteral("Другое"), QStringLiteral("ключ")), QStringLiteral("2"));
    EXPECT_EQ(doc.read(QStringLiteral("Общие настройки"), QStringLiteral("пусто")), std::nullopt);
    EXPECT_EQ(doc.read(QStringLiteral("Общие настройки"), QStringLiteral("нет")), std::nullopt);
    EXPECT_EQ(doc.read(QStringLiteral("Нет"), QStringLiteral("Ключ")), std::nullopt);
    EXPECT_EQ(doc.read(QStringLiteral("Общие настройки"), QStringLiteral("кавычки")), QStringLiteral("a b"));
    EXPECT_EQ(doc.read(QStringLiteral("Общие настройки"), QStringLiteral(";коммент")), std::nullopt);
}

TEST(IniFile, ValuesReadBackAtMost254Characters)
{
    IniDocument doc;
    doc.write(QStringLiteral("S"), QStringLiteral("K"), QString(300, u'ж'));
    EXPECT_EQ(doc.read(QStringLiteral("S"), QStringLiteral("K"))->size(), 254);
}

TEST(IniFile, WriteCreatesAndKeepsOtherLines)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Lectorium.ini"));
    folder.writeCp1251(QStringLiteral("Lectorium.ini"),
                       QStringLiteral("; комментарий\r\n[А]\r\nx=1\r\nмусор\r\n\r\n[Б]\r\ny=2\r\n"));
    ASSERT_TRUE(writeIni(QStringLiteral("а"), QStringLiteral("новый"), QStringLiteral("з"), path));
    ASSERT_TRUE(writeIni(QStringLiteral("Б"), QStringLiteral("Y"), 1.5, path));
    ASSERT_TRUE(writeIni(QStringLiteral("В"), QStringLiteral("z"), -3, path));
    EXPECT_EQ(folder.readBytes(QStringLiteral("Lectorium.ini")),
              Codec::toCp1251(QStringLiteral("; комментарий\r\n[А]\r\nx=1\r\nмусор\r\nновый=з\r\n\r\n"
                                             "[Б]\r\nY=1.5\r\n[В]\r\nz=-3\r\n")));
    EXPECT_EQ(readIni(QStringLiteral("В"), QStringLiteral("Z"), path), QStringLiteral("-3"));
    // Created from nothing.
    const QString fresh = folder.file(QStringLiteral("sub.ini"));
    ASSERT_TRUE(writeIni(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"), fresh));
    EXPECT_EQ(folder.readBytes(QStringLiteral("sub.ini")), QByteArray("[S]\r\nk=v\r\n"));
}

TEST(IniFile, LineBreaksInValuesCannotForgeKeys)
{
    IniDocument doc;
    doc.write(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("x\r\nb=evil"));
    EXPECT_EQ(doc.read(QStringLiteral("S"), QStringLiteral("b")), std::nullopt);
}

TEST(IniFile, NumbersUseADecimalPointWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::Russian));
    EXPECT_EQ(iniNumberText(1.5), QStringLiteral("1.5"));
    EXPECT_EQ(iniNumberText(21), QStringLiteral("21"));
    QLocale::setDefault(QLocale::c());
}

TEST(IniFile, UnreadableFileIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("locked.ini"));
    folder.writeCp1251(QStringLiteral("locked.ini"), QStringLiteral("[S]\r\nk=1\r\n"));
    QFile::setPermissions(path, QFile::WriteOwner);
    EXPECT_FALSE(writeIni(QStringLiteral("S"), QStringLiteral("n"), 2, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(folder.readBytes(QStringLiteral("locked.ini")), QByteArray("[S]\r\nk=1\r\n"));
}

TEST(IniFile, ManyKeysAtOnceMatchKeyByKey)
{
    const QString start = QStringLiteral("[Оглавление]\r\nБлок1=старый\r\n; БЛОК2=комментарий\r\n"
                                         "блок3=\r\nБлок1=второй\r\nДругой=x\r\n\r\n[Статус]\r\nБлок4=не тот\r\n");
    const QList<std::pair<QString, QString>> values = {
        {QStringLiteral("БЛОК1"), QStringLiteral("Глава 1")},  {QStringLiteral("Блок2"), QStringLiteral("Глава 2")},
        {QStringLiteral(" блок3 "), QStringLiteral("a\r\nb")}, {QStringLiteral("Блок4"), QStringLiteral("Глава 4")},
        {QStringLiteral("Блок2"), QStringLiteral("Глава 2б")},
    };
    for (const QString &section : {QStringLiteral("оглавление"), QStringLiteral("Новый")}) {
        IniDocument oneByOne = IniDocument::fromText(start);
        for (const auto &[key, value] : values)
            oneByOne.write(section, key, value);
        IniDocument atOnce = IniDocument::fromText(start);
        atOnce.writeKeys(section, values);
        EXPECT_EQ(atOnce.toText(), oneByOne.toText()) << section.toStdString();

        QStringList keys;
        for (const auto &[key, value] : values)
            keys.append(key);
        keys.append(QStringLiteral("Другой"));
        keys.append(QStringLiteral("Нет"));
        const auto read = atOnce.readKeys(section, keys);
        ASSERT_EQ(read.size(), keys.size());
        for (qsizetype i = 0; i < keys.size(); ++i)
            EXPECT_EQ(read[i], atOnce.read(section, keys[i])) << section.toStdString() << " " << keys[i].toStdString();
    }
}
