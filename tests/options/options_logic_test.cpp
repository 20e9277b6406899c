#include "options/default_output_folder.h"
#include "options/name_previews.h"
#include "options/option_defaults.h"
#include "options/output_folder_check.h"
#include "options/voice_sliders.h"
#include "recording/speech/voice_table.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

struct ClampCase
{
    MarkupKind kind;
    VoiceColumn column;
    const char *text;
    int expected;
};

} // namespace

TEST(OptionsLogic, NumberBoxesClampIntoTheVoiceRange)
{
    const ClampCase cases[] = {
        {MarkupKind::SapiXml, VoiceColumn::Rate, "-20", -10},
        {MarkupKind::SapiXml, VoiceColumn::Pitch, "15", 10},
        {MarkupKind::SapiXml, VoiceColumn::Rate, " 7 ", 7},
        {MarkupKind::SapiXml, VoiceColumn::Rate, "abc", 0},
        {MarkupKind::PlainText, VoiceColumn::Rate, "abc", 25}, // reads as 0, then clamped
        {MarkupKind::PlainText, VoiceColumn::Pitch, "500", 200},
        {MarkupKind::PlainText, VoiceColumn::Rate, "150", 150},
        {MarkupKind::PlainText, VoiceColumn::Pause, "-5", 0},
        {MarkupKind::SapiXml, VoiceColumn::Pause, "99999999999", 3000},
        {MarkupKind::SapiXml, VoiceColumn::Pause, "", 0},
    };
    for (const ClampCase &c : cases)
        EXPECT_EQ(clampBoxText(QString::fromUtf8(c.text), voiceSliderRange(c.kind, c.column)), c.expected) << c.text;
    const SliderRange cube = voiceSliderRange(MarkupKind::PlainText, VoiceColumn::Rate);
    EXPECT_EQ(cube.value, 100);
    EXPECT_EQ(voiceSliderRange(MarkupKind::SapiXml, VoiceColumn::Pause).step, 10);
}

TEST(OptionsLogic, BlankOutputFolderBecomesTheDefaultAndIsCreatedOnYes)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs({DialogAnswer::Yes});
    const OutputFolderCheck check = checkOutputFolder(QStringLiteral("x"), dialogs);
    const QString audiobooks = folder.home() + QStringLiteral("/Аудиокниги");
    EXPECT_EQ(check.text, audiobooks);
    EXPECT_FALSE(check.keepFocus);
    EXPECT_TRUE(QFileInfo(audiobooks).isDir());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Каталог \"") + audiobooks + QStringLiteral("\" не существует. Создать его?"));
    EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Question);

    // An existing folder with a trailing separator passes without a question.
    ScriptedDialogs silent;
    EXPECT_FALSE(checkOutputFolder(audiobooks + u'/', silent).keepFocus);
    EXPECT_TRUE(silent.shown.isEmpty());
}

TEST(OptionsLogic, DefaultOutputFolderIsInTheMusicFolderOrTheHomeFolder)
{
    TempProgramFolder folder;
    const QString home = folder.home();
    const auto musicFolderIs = [&](const QString &line) {
        QDir().mkpath(home + QStringLiteral("/.config"));
        QFile dirs(home + QStringLiteral("/.config/user-dirs.dirs"));
        ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write(line.toUtf8());
    };
    // A fresh home: no desktop folders at all.
    EXPECT_EQ(defaultOutputFolder(), home + QStringLiteral("/Аудиокниги"));
    // The desktop's music folder, once it exists.
    musicFolderIs(QStringLiteral("XDG_MUSIC_DIR=\"$HOME/Музыка\"\n"));
    EXPECT_EQ(defaultOutputFolder(), home + QStringLiteral("/Аудиокниги"));
    QDir().mkpath(home + QStringLiteral("/Музыка"));
    EXPECT_EQ(defaultOutputFolder(), home + QStringLiteral("/Музыка/Аудиокниги"));
    // A music folder switched off is the home folder itself.
    musicFolderIs(QStringLiteral("XDG_MUSIC_DIR=\"$HOME/\"\n"));
    EXPECT_EQ(defaultOutputFolder(), home + QStringLiteral("/Аудиокниги"));
    // A chosen folder stays; a blank or one character is no choice.
    EXPECT_EQ(outputFolderOrDefault(QStringLiteral("/data/Книги")), QStringLiteral("/data/Книги"));
    EXPECT_EQ(outputFolderOrDefault(QStringLiteral("x")), home + QStringLiteral("/Аудиокниги"));
}

TEST(OptionsLogic, OutputFolderRefusedOrImpossibleKeepsTheFocus)
{
    TempProgramFolder folder;
    const QString nested = folder.path() + QStringLiteral("/Книги/Новые");
    ScriptedDialogs no({DialogAnswer::No});
    const OutputFolderCheck refused = checkOutputFolder(nested, no);
    EXPECT_TRUE(refused.keepFocus);
    EXPECT_EQ(refused.text, nested);
    EXPECT_FALSE(QFileInfo::exists(nested));

    // A parent that is a file cannot hold the folder.
    folder.writeCp1251(QStringLiteral("file"), QStringLiteral("x"));
    ScriptedDialogs yes({DialogAnswer::Yes});
    EXPECT_TRUE(checkOutputFolder(folder.file(QStringLiteral("file/sub")), yes).keepFocus);
    ASSERT_EQ(yes.shown.size(), 2);
    EXPECT_EQ(yes.shown[1].text, QStringLiteral("Недопустимое имя каталога!"));
    EXPECT_EQ(yes.shown[1].icon, DialogIcon::Critical);
}

TEST(OptionsLogic, PreviewsOfTheSampleBook)
{
    Settings s;
    s.fileNameTemplate = QStringLiteral("%n%. %t%");
    s.removeDots = true;
    s.replaceSpaces = true;
    EXPECT_EQ(fileNamePreview(s), QStringLiteral("02_Глава_первая.mp3"));
    s.removeDots = false;
    s.replaceSpaces = false;
    s.fileNameTemplate = QStringLiteral("%P% %N% %l% %S%-%Sn% %D% %G%");
    EXPECT_EQ(fileNamePreview(s), QStringLiteral("Книга1 92 04-56 Цикл-3 2006 Жанр.mp3"));

    s.yoToYe = true;
    EXPECT_EQ(tagPreview(s, QStringLiteral("Ёлка: %A% - %T%")), QStringLiteral("Елка: Автор - КНИГА"));
    s.yoToYe = false;
    EXPECT_EQ(tagPreview(s, QStringLiteral("Ёлка")), QStringLiteral("Ёлка"));
}

TEST(OptionsLogic, DefaultsResetWhatTheWindowEditsButKeepThePaths)
{
    Settings s;
    s.announceBlockNumber = true;
    s.compressMp3 = false;
    s.deleteWav = false;
    s.percentInTitle = false;
    s.renameByChapters = false;
    s.id3Tags = false;
    s.minimizeToTray = false;
    s.rerecordExisting = true;
    s.lamePriority = 2;
    s.encoderJobs = 2;
    s.fileNameTemplate = QStringLiteral("%n%");
    s.outputFolder = QStringLiteral("/data/Книги");
    s.speechCubePath = QStringLiteral("/opt/cube");
    s.bookIndex = 5;
    const Settings d = optionDefaults(s);
    EXPECT_EQ(d.announceBlockNumber, 0);
    for (int flag : {d.compressMp3, d.deleteWav, d.percentInTitle, d.renameByChapters, d.id3Tags, d.minimizeToTray})
        EXPECT_EQ(flag, 1);
    EXPECT_EQ(d.rerecordExisting, 0);
    EXPECT_EQ(d.lamePriority, 1);
    EXPECT_EQ(d.encoderJobs, 0);
    EXPECT_EQ(d.fileNameTemplate, QString());
    EXPECT_EQ(d.outputFolder, s.outputFolder);
    EXPECT_EQ(d.speechCubePath, s.speechCubePath);
    EXPECT_EQ(d.bookIndex, 5);
}
