// The options window's "Добавить голос…" page: a voice added and tried with
// espeak-ng's command line, a broken command tried, and the saved voice in
// the options window's voice list.

#include "common/program_folder.h"
#include "common/text_codec.h"
#include "options/ui/options_dialog.h"
#include "options/ui/speech_programs_page.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_table.h"

#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The page's trial has ended: its label says how.
bool trialEnded(QWidget *page)
{
    return QTest::qWaitFor(
        [&] { return !child<QLabel>(page, "trialLabel")->text().startsWith(QStringLiteral("Программа читает")); },
        60000);
}

} // namespace

TEST(SpeechProgramsPage, AddedVoiceIsTriedSavedAndListed)
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    ScriptedDialogs dialogs;
    Settings settings;
    settings.outputFolder = folder.path();
    OptionsDialog window(settings, folder.path(), SpeechVoice::voices(), 0, dialogs);
    auto *tabs = child<QTabWidget>(&window, "mainTabs");
    ASSERT_EQ(tabs->tabText(tabs->count() - 1), QStringLiteral("Добавить голос…"));
    QWidget *page = tabs->widget(tabs->count() - 1);
    tabs->setCurrentWidget(page);
    window.show();

    auto *list = child<QListWidget>(page, "programList");
    ASSERT_EQ(list->count(), 4);
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("Piper (Ирина) (выключен")));

    QTest::mouseClick(child<QPushButton>(page, "addProgramButton"), Qt::LeftButton);
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->currentRow(), 4);
    auto *name = child<QLineEdit>(page, "nameEdit");
    name->setText(QStringLiteral("Женский голос espeak-ng"));
    child<QLineEdit>(page, "commandEdit")->setText(QStringLiteral("espeak-ng -v ru+f2 -s {rate} -w {wav} -f {text}"));

    QTest::mouseClick(child<QPushButton>(page, "tryButton"), Qt::LeftButton);
    ASSERT_TRUE(trialEnded(page));
    EXPECT_EQ(child<QLabel>(page, "trialLabel")->text(), QStringLiteral("Голос работает: образец прочитан."));
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // A command whose program fails: its error output is shown.
    auto *command = child<QLineEdit>(page, "commandEdit");
    command->setText(QStringLiteral("espeak-ng -v нет-такого-голоса -w {wav} -f {text}"));
    QTest::mouseClick(child<QPushButton>(page, "tryButton"), Qt::LeftButton);
    ASSERT_TRUE(trialEnded(page));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown.at(0).text.contains(QStringLiteral("завершилась с ошибкой")))
        << dialogs.shown.at(0).text.toStdString();
    EXPECT_TRUE(dialogs.shown.at(0).text.contains(QStringLiteral("нет-такого-голоса")));
    command->setText(QStringLiteral("espeak-ng -v ru+f2 -s {rate} -w {wav} -f {text}"));

    QTest::mouseClick(child<QPushButton>(&window, "applyButton"), Qt::LeftButton);
    const QString saved = Codec::decodeUserFile(folder.readBytes(QStringLiteral("SpeechPrograms.ini")));
    EXPECT_TRUE(saved.contains(QStringLiteral("[Голос 1]\r\nEnabled=1\r\nName=Женский голос espeak-ng\r\n")))
        << saved.toStdString();
    // The program is listed after the Russian voices of the engine, under
    // the index past the engine's voices.
    auto *voiceCombo = child<QComboBox>(&window, "voiceCombo");
    const int item = voiceCombo->findText(QStringLiteral("Женский голос espeak-ng"));
    ASSERT_GT(item, 0);
    EXPECT_EQ(voiceCombo->itemText(item - 1).left(7), QStringLiteral("Русский"));
    const int voice = voiceCombo->itemData(item).toInt();
    EXPECT_EQ(voice, SpeechVoice::voices().size() - 1);
    EXPECT_EQ(voiceParams(voice).voiceKind, MarkupKind::PlainText);
    EXPECT_EQ(voiceParams(voice).speed[0], 100);
    setInstalledSpeechPrograms({});
    voiceTable() = VoiceTable{};
}

// "Найти голоса" on a machine (PATH and the data folders pointing into a
// temporary folder) with Festival and its Russian voice but no RHVoice:
// Festival is switched on, the others stay off and the list says why.
TEST(SpeechProgramsPage, FindVoicesSwitchesOnWhatIsInstalledAndSaysWhatIsMissing)
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    TempProgramFolder machine;
    QDir().mkpath(machine.file(QStringLiteral("bin")));
    QDir().mkpath(machine.file(QStringLiteral("share/festival/voices/russian/msu_ru_nsh_clunits")));
    QFile stub(machine.file(QStringLiteral("bin/text2wave")));
    ASSERT_TRUE(stub.open(QIODevice::WriteOnly));
    stub.write("#!/bin/sh\nexit 0\n");
    stub.close();
    stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray formerPath = qgetenv("PATH");
    const QByteArray formerDataDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("PATH", machine.file(QStringLiteral("bin")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", machine.file(QStringLiteral("share")).toLocal8Bit());

    ScriptedDialogs dialogs;
    SpeechProgramsPage page(ProgramFolder(folder.path()).speechProgramsFile(), dialogs);
    auto *list = child<QListWidget>(&page, "programList");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(),
              QStringLiteral("RHVoice (Александр) (выключен: не найдена программа RHVoice-test (пакет rhvoice))"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Festival (msu_ru_nsh) (выключен)"));
    QTest::mouseClick(child<QPushButton>(&page, "findVoicesButton"), Qt::LeftButton);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Festival (msu_ru_nsh)"));
    EXPECT_TRUE(list->item(3)->text().contains(QStringLiteral("не найдена программа espeak-ng")));
    EXPECT_EQ(child<QLabel>(&page, "trialLabel")->text(), QStringLiteral("Включены голоса: Festival (msu_ru_nsh)."));
    ASSERT_TRUE(page.save());
    qputenv("PATH", formerPath);
    formerDataDirs.isNull() ? qunsetenv("XDG_DATA_DIRS") : qputenv("XDG_DATA_DIRS", formerDataDirs);

    const QList<SpeechProgramDefinition> saved =
        loadSpeechProgramDefinitions(ProgramFolder(folder.path()).speechProgramsFile());
    ASSERT_EQ(saved.size(), 4);
    EXPECT_FALSE(saved.at(0).enabled);
    EXPECT_TRUE(saved.at(2).enabled);
    EXPECT_EQ(saved.at(2).command, QStringLiteral("text2wave -eval (voice_msu_ru_nsh_clunits) -o {wav} {text}"));
}
