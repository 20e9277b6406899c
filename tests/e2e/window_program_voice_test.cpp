// A book recorded through the main window with a speech program as its
// voice (espeak-ng's command line, defined by hand in the program folder),
// and a voice whose program is not installed, told before anything starts.

#include "app/project_store.h"
#include "app/ui/main_window.h"
#include "common/ini_file.h"
#include "recording/speech/speech_program_definition.h"
#include "recording/speech/speech_voice.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(WindowProgramVoice, BookIsRecordedThroughTheProgramAndAMissingOneIsNamed)
{
    const int programVoice = int(SpeechVoice::voices().size() - installedSpeechPrograms().size());
    for (const QString &program :
         {QStringLiteral("espeak-ng -v ru+f3 -w {wav} -f {text}"), QStringLiteral("нет-такой-программы --out {wav}")}) {
        SCOPED_TRACE(program.toStdString());
        const bool installed = program.startsWith(QStringLiteral("espeak-ng"));
        TempProgramFolder folder;
        folder.writeCp1251(QStringLiteral("SpeechPrograms.ini"),
                           QStringLiteral("[Голос]\r\nEnabled=1\r\nName=Программа\r\nCommand=%1\r\n").arg(program));
        const QString ini = folder.file(QStringLiteral("Lectorium.ini"));
        writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), 0, ini);
        writeIni(QStringLiteral("Настройки движка"), QStringLiteral("Номер движка"), programVoice, ini);
        for (int n = 1; n <= 2; ++n)
            folder.writeCp1251(QStringLiteral("Projects/Книга/") + blockFileName(n),
                               QStringLiteral(" {повествование->} Блок номер %1. {речь->} Ответ.\r\n").arg(n));
        folder.writeCp1251(QStringLiteral("Projects/Книга/project.ini"),
                           QStringLiteral("[Информация]\r\nНазвание=Книга\r\n[Оглавление]\r\nКол-во=2\r\n"));

        MainWindow window(folder.path());
        ScriptedDialogs dialogs;
        window.setDialogs(&dialogs);
        window.show();
        window.findChild<QAction *>(QStringLiteral("recordButton"))->trigger();
        for (int i = 0; i < 2400 && window.isRecording(); ++i)
            QTest::qWait(50);
        ASSERT_FALSE(window.isRecording());

        const QStringList mp3s =
            QDir(folder.home() + QStringLiteral("/Аудиокниги/Книга")).entryList({QStringLiteral("*.mp3")}, QDir::Files);
        if (installed) {
            EXPECT_EQ(mp3s.size(), 2);
        } else {
            EXPECT_TRUE(mp3s.isEmpty());
            ASSERT_FALSE(dialogs.shown.isEmpty());
            EXPECT_TRUE(dialogs.shown.at(0).text.contains(QStringLiteral("«нет-такой-программы»")));
            EXPECT_TRUE(dialogs.shown.at(0).text.contains(QStringLiteral("Запись невозможна")));
        }
    }
    setInstalledSpeechPrograms({});
}
