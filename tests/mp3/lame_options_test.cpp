#include "mp3/lame_options.h"
#include "mp3/lame_presets.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include "common/ini_file.h"
#include "common/program_folder.h"

#include <gtest/gtest.h>

TEST(LameOptions, SetsAndLamestringRoundTrip)
{
    const char *strings[] = {"-b 8",    "-b 128 -h", "-b 320 -f",   "-V 0",
                             "-V 9 -h", "--abr 8",   "--abr 96 -f", "--abr 320 -h"};
    for (const char *s : strings) {
        LameOptions options;
        options.parseLameOptions(QString::fromLatin1(s));
        EXPECT_EQ(options.lameOptionString(), QString::fromLatin1(s));
    }
    for (int position = 1; position <= 16; ++position) {
        LameOptions options;
        options.bitratePosition = position;
        LameOptions back;
        back.parseLameOptions(options.lameOptionString());
        EXPECT_EQ(back.bitratePosition, position);
    }
}

TEST(LameOptions, SetsSkipsWhatItCannotShow)
{
    struct Case
    {
        const char *par;
        const char *expected;
        int bitratePosition;
    };
    const Case cases[] = {
        {"-b 40", "-b 64", 7},      // not in the table: the slider stays
        {"-V", "-V 5", 7},          // missing value: mode chosen, slider stays
        {"-V 12 -h", "-V 5 -h", 7}, // out of range
        {"--abr x -f", "--abr 64 -f", 7},
        {"-b 16 -h -V 6 -B 112 --resample 16", "-V 6 -h", 2},
        {"--resample 16 -b 96", "-b 96", 9}, // unknown words are skipped
        {"-b -h", "-b 64", 7},               // "-h" was taken as the value
        {"", "-b 64", 7},
    };
    for (const auto &c : cases) {
        LameOptions options;
        options.optimisation = LameOptimisation::Quality;
        options.parseLameOptions(QString::fromLatin1(c.par));
        EXPECT_EQ(options.lameOptionString(), QString::fromLatin1(c.expected)) << c.par;
        EXPECT_EQ(options.bitratePosition, c.bitratePosition) << c.par;
    }
}

TEST(LameOptions, CaptionsAndSizes)
{
    LameOptions options;
    options.parseLameOptions(u"--abr 96 -f"_qs);
    EXPECT_EQ(options.averageBitrateCaption(), u"Средний битрейт: 96 Kbps"_qs);
    options.parseLameOptions(u"-b 128"_qs);
    EXPECT_EQ(options.bitrateCaption(), u"Битрейт: 128 Kbps"_qs);
    options.parseLameOptions(u"-b 64"_qs);
    EXPECT_NEAR(*options.megabytesPerHour(), 27.47, 0.005);
    EXPECT_NEAR(*options.megabytesPerMinute(), 27.47 / 60, 0.0001);
    options.parseLameOptions(u"-V 4"_qs);
    EXPECT_EQ(options.qualityCaption(), u"Q= 4 (Среднее качество)"_qs);
    EXPECT_FALSE(options.megabytesPerHour());

    const char *words[] = {"Отличное", "Отличное", "Хорошее", "Хорошее", "Среднее",
                           "Среднее",  "Среднее",  "Низкое",  "Низкое",  "Плохое"};
    for (int q = 0; q <= 9; ++q)
        EXPECT_EQ(LameOptions::qualityWord(q), u" ("_qs + QString::fromUtf8(words[q]) + u" качество)"_qs) << q;
}

namespace {

QString lameValue(const QString &ini, const QString &key)
{
    return readIni(u"LAME"_qs, key, ini).value_or(QString());
}

} // namespace

TEST(LamePresets, ReadStopsAtTheFirstGapAndSkipsValuesWithoutColon)
{
    TempProgramFolder folder;
    const QString ini = folder.file(u"Lectorium.ini"_qs);
    folder.writeCp1251(u"Lectorium.ini"_qs,
                       u"[LAME]\r\nPreset1=Речь:-b 32 -h:лишнее\r\nPreset2=без двоеточия\r\nPreset3=Музыка:-V 2\r\n"
                       "Preset5=Потерян:-b 8\r\nSelected=2\r\n"_qs);
    const LamePresets presets = LamePresets::read(ini);
    ASSERT_EQ(presets.list().size(), 2);
    EXPECT_EQ(presets.list()[0].name, u"Речь"_qs);
    EXPECT_EQ(presets.list()[0].options, u"-b 32 -h"_qs);
    EXPECT_EQ(presets.list()[1].options, u"-V 2"_qs);
    EXPECT_EQ(presets.selectedOnOpening(), 1);

    for (const char *selected : {"0", "3", "x"}) {
        writeIni(u"LAME"_qs, u"Selected"_qs, QString::fromLatin1(selected), ini);
        EXPECT_FALSE(LamePresets::read(ini).selectedOnOpening()) << selected;
    }
    folder.writeCp1251(u"Lectorium.ini"_qs, u"[LAME]\r\nPreset1=А:-b 8\r\nPreset3=В:-b 16\r\n"_qs);
    EXPECT_EQ(LamePresets::read(ini).list().size(), 1);
}

TEST(LamePresets, SaveOverwriteDeleteAndRewrite)
{
    TempProgramFolder folder;
    const QString ini = folder.file(u"Lectorium.ini"_qs);
    folder.writeCp1251(u"Lectorium.ini"_qs,
                       u"[Общие настройки]\r\nНомер книги=3\r\n[LAME]\r\nPreset1=Речь:-b 32\r\nPreset2=Музыка:-V 2\r\n"
                       "Preset3=Тихо:-b 8\r\nSelected=1\r\n"_qs);
    LamePresets presets = LamePresets::read(ini);
    EXPECT_EQ(presets.proposedName(1), u"Музыка"_qs);
    EXPECT_EQ(LamePresets().proposedName(std::nullopt), u"Preset 1"_qs);

    ScriptedDialogs dialogs({DialogAnswer::No, DialogAnswer::Yes});
    EXPECT_FALSE(presets.saveAs({}, u"-b 48"_qs, dialogs));
    // No: every option string stays, the last entry is chosen.
    EXPECT_EQ(presets.saveAs(u"Речь"_qs, u"-b 48"_qs, dialogs), 2);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, u"Перезаписать пресет \"Речь\" ?"_qs);
    EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::YesNo);
    EXPECT_EQ(presets.list()[0].options, u"-b 32"_qs);
    // Yes: the preset takes the current options.
    EXPECT_EQ(presets.saveAs(u"Речь"_qs, u"-b 48"_qs, dialogs), 0);
    EXPECT_EQ(presets.list()[0].options, u"-b 48"_qs);
    // A name differing in case is a new preset.
    EXPECT_EQ(presets.saveAs(u"речь"_qs, u"--abr 40"_qs, dialogs), 3);
    EXPECT_EQ(dialogs.shown.size(), 2);

    presets.remove(1);
    presets.remove(1);
    ASSERT_TRUE(presets.savePresets(ini, 1));
    EXPECT_EQ(lameValue(ini, u"Preset1"_qs), u"Речь:-b 48"_qs);
    EXPECT_EQ(lameValue(ini, u"Preset2"_qs), u"речь:--abr 40"_qs);
    EXPECT_EQ(lameValue(ini, u"Preset3"_qs), QString());
    EXPECT_EQ(lameValue(ini, u"Selected"_qs), u"2"_qs);
    EXPECT_EQ(readIni(u"Общие настройки"_qs, u"Номер книги"_qs, ini), u"3"_qs);

    presets.remove(0);
    presets.remove(0);
    ASSERT_TRUE(presets.savePresets(ini, std::nullopt));
    EXPECT_TRUE(LamePresets::read(ini).isEmpty());
    EXPECT_EQ(lameValue(ini, u"Selected"_qs), u"0"_qs);
}

TEST(LamePresets, ShippedPresetsLoadAndShowInTheControl)
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    const LamePresets presets = LamePresets::read(folder.file(u"Lectorium.ini"_qs));
    ASSERT_GE(presets.list().size(), 3);
    ASSERT_TRUE(presets.selectedOnOpening());
    for (const LamePreset &preset : presets.list()) {
        LameOptions options;
        options.parseLameOptions(preset.options);
        EXPECT_EQ(options.lameOptionString(), preset.options) << preset.name.toStdString();
    }
}
