// The reader window speaking through a sound server of the test's own that
// is killed while it reads.

#include "app/project_store.h"
#include "app/settings.h"
#include "reader/ui/reader_window.h"
#include "recording/speech/speech_voice.h"

#include "support/find_child.h"
#include "support/private_sound_server.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kGenerousMsecs = 60000;

} // namespace

TEST(ReaderSoundServerTest, AServerThatGoesAwayLeavesANoteAndReadingGoesOn)
{
    PrivateSoundServer server;
    if (!server.isRunning())
        GTEST_SKIP() << "PulseAudio is not installed or does not start here";
    TempProgramFolder folder;
    Settings settings;
    settings.voiceIndex = SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
    ASSERT_GE(settings.voiceIndex, 0) << "espeak-ng has no Russian voice";
    folder.writeCp1251(QStringLiteral("Projects/Рассказ/%1").arg(blockFileName(1)),
                       QStringLiteral("Первая глава\r\n Кот спал на печи, а за окном шёл снег, "
                                      "и никто не знал, когда он кончится.\r\n"));
    folder.writeCp1251(QStringLiteral("Projects/Рассказ/%1").arg(blockFileName(2)), QStringLiteral("Вторая глава\r\n"));

    ReaderWindow window(folder.path(), {QStringLiteral("Рассказ")}, QStringLiteral("Рассказ"), settings);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto *note = child<QLabel>(&window, "soundServerLabel");
    auto *list = child<QListWidget>(&window, "chapterList");
    child<QAction>(&window, "playAction")->trigger();
    QTest::qWait(1000);
    EXPECT_TRUE(note->text().isEmpty()) << "the sound is heard";

    server.signal(SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(!note->text().isEmpty(), kGenerousMsecs);
    EXPECT_TRUE(note->text().contains(QStringLiteral("без звука"))) << note->text().toStdString();
    QTRY_COMPARE_WITH_TIMEOUT(list->currentRow(), 1, kGenerousMsecs);
    EXPECT_TRUE(window.isReading()) << "reading goes on to the next chapter";
    child<QAction>(&window, "stopAction")->trigger();
    EXPECT_FALSE(window.isReading());
}
