// Exporting a book into one text or XML file.

#include "recording/book_export.h"

#include "common/text_codec.h"
#include "recording/speech/voice_table.h"
#include "recording/voice_markup.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class BookExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VoiceParams v;
        v.speed = {2, 3, 0, 0};
        v.pitch = {-1, 0, 0, 0};
        voiceTable() = VoiceTable{v};
        folder.writeCp1251(QStringLiteral("Projects/Книга/0001.txt"), QStringLiteral(" {повествование->} Раз."));
        folder.writeCp1251(QStringLiteral("Projects/Книга/0002.txt"), QStringLiteral(" {речь->} Два."));
    }
    void TearDown() override { voiceTable() = VoiceTable{}; }

    QString exported(const QString &name) const { return Codec::fromCp1251(folder.readBytes(name)); }

    TempProgramFolder folder;
    Settings settings;
};

} // namespace

TEST_F(BookExportTest, EveryBlockConvertedForTheChosenFormat)
{
    for (const ExportFormat format : {ExportFormat::Text, ExportFormat::Xml}) {
        const bool text = format == ExportFormat::Text;
        const QString name = text ? QStringLiteral("out/Книга.txt") : QStringLiteral("out/Книга.xml");
        ScriptedDialogs dialogs;
        QDir().mkpath(folder.file(QStringLiteral("out")));
        ASSERT_TRUE(exportBook(folder.path(), QStringLiteral("Книга"), folder.file(name), format, settings, dialogs));
        const auto convert = [&](const QString &block) {
            return text ? toCubeMarkup(block, 0) : toSapiMarkup(block, 0);
        };
        EXPECT_EQ(exported(name), convert(QStringLiteral(" {повествование->} Раз.")) + QStringLiteral("\r\n")
                                      + convert(QStringLiteral(" {речь->} Два.")) + QStringLiteral("\r\n"));
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Книга успешно экспортирована!"));
        EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Information);
        EXPECT_EQ(settings.exportFolder, folder.file(QStringLiteral("out")));
    }
}

TEST_F(BookExportTest, AsksBeforeReplacingAnExistingFile)
{
    folder.writeCp1251(QStringLiteral("old.txt"), QStringLiteral("старое"));
    ScriptedDialogs refuse({DialogAnswer::No});
    EXPECT_FALSE(exportBook(folder.path(), QStringLiteral("Книга"), folder.file(QStringLiteral("old.txt")),
                            ExportFormat::Text, settings, refuse));
    ASSERT_EQ(refuse.shown.size(), 1);
    EXPECT_EQ(refuse.shown[0].title, QStringLiteral("Экспорт"));
    EXPECT_EQ(refuse.shown[0].text,
              u'"' + folder.file(QStringLiteral("old.txt")) + QStringLiteral("\" уже существует.\nЗаменить?"));
    EXPECT_EQ(exported(QStringLiteral("old.txt")), QStringLiteral("старое"));
    EXPECT_TRUE(settings.exportFolder.isEmpty());

    ScriptedDialogs accept({DialogAnswer::Yes});
    EXPECT_TRUE(exportBook(folder.path(), QStringLiteral("Книга"), folder.file(QStringLiteral("old.txt")),
                           ExportFormat::Text, settings, accept));
    EXPECT_TRUE(exported(QStringLiteral("old.txt")).contains(QStringLiteral("Два.")));
}

TEST_F(BookExportTest, UnwritableTargetIsReportedNotPraised)
{
    ScriptedDialogs dialogs;
    EXPECT_FALSE(exportBook(folder.path(), QStringLiteral("Книга"), folder.file(QStringLiteral("нет/такой/папки.txt")),
                            ExportFormat::Text, settings, dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Critical);
    EXPECT_TRUE(settings.exportFolder.isEmpty());
}
