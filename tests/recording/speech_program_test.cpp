// Starting the outside speech program.

#include "recording/speech_program.h"

#include "support/temp_program_folder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(SpeechProgram, StartsTheConfiguredPathAndKeepsItRunning)
{
    TempProgramFolder folder;
    const QString script = folder.file(QStringLiteral("речь с пробелом.sh"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nsleep 5\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);

    Settings settings;
    ProcessRunner runner;
    EXPECT_FALSE(setProgramPriority(settings, runner)); // no path set
    settings.speechCubePath = script;
    ASSERT_TRUE(setProgramPriority(settings, runner));
    EXPECT_TRUE(runner.processRunning());
    runner.terminate();

    settings.speechCubePath = folder.file(QStringLiteral("нет.exe"));
    EXPECT_FALSE(setProgramPriority(settings, runner));
}
