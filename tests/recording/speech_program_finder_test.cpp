// Voices found, not typed: the known speech programs looked for on a fake
// machine (a PATH of stub programs and data folders with or without their
// Russian voices), and the first start of a program folder switching on
// what it found.

#include "common/program_folder.h"
#include "common/text_codec.h"
#include "recording/speech/speech_program_finder.h"
#include "speech_program_test_support.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// A machine of its own in a temporary folder: bin/ for PATH, share/ and a
// home data folder for the voices.
class FakeMachine
{
public:
    FakeMachine()
    {
        places.executableFolders = {folder.file(QStringLiteral("bin"))};
        places.dataFolders = {folder.file(QStringLiteral("home data")), folder.file(QStringLiteral("share"))};
        QDir().mkpath(places.executableFolders.first());
    }

    void installProgram(const QString &name) const
    {
        writeScript(folder, QStringLiteral("bin/") + name, QStringLiteral("exit 0"));
    }
    void installFile(const QString &path, const QByteArray &bytes = QByteArray()) const
    {
        QDir().mkpath(QFileInfo(folder.file(path)).absolutePath());
        QFile file(folder.file(path));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    void installEverything() const
    {
        for (const char *program : {"text2wave", "RHVoice-test", "piper", "espeak-ng"})
            installProgram(QLatin1String(program));
        installFile(QStringLiteral("share/festival/voices/russian/msu_ru_nsh_clunits/festvox/msu_ru_nsh_clunits.scm"));
        installFile(QStringLiteral("share/RHVoice/voices/alan/voice.info"), "name=Alan\nlanguage=English\n");
        installFile(QStringLiteral("share/RHVoice/voices/anna/voice.info"), "name=Anna\nlanguage=Russian\n");
        installFile(QStringLiteral("home data/piper/мои голоса/ru_RU-denis-medium.onnx"));
        installFile(QStringLiteral("home data/piper/мои голоса/ru_RU-denis-medium.onnx.json"));
        installFile(QStringLiteral("home data/piper/en_US-amy-low.onnx"));
        installFile(QStringLiteral("home data/piper/en_US-amy-low.onnx.json"));
    }

    TempProgramFolder folder;
    ProgramSearchPlaces places;
};

// The shipped sections, as a first start reads them.
QList<SpeechProgramDefinition> shippedSections()
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    return loadSpeechProgramDefinitions(ProgramFolder(folder.path()).speechProgramsFile());
}

const SpeechProgramDefinition &section(const QList<SpeechProgramDefinition> &definitions, const char *name)
{
    for (const SpeechProgramDefinition &definition : definitions)
        if (definition.section == QString::fromUtf8(name))
            return definition;
    static const SpeechProgramDefinition none;
    ADD_FAILURE() << "no section " << name;
    return none;
}

} // namespace

TEST(SpeechProgramFinder, WhatIsMissingIsSaidAndWhatIsInstalledIsSwitchedOn)
{
    FakeMachine machine;
    QList<SpeechProgramDefinition> own = shippedSections();
    own.append(espeakCommandLineVoice(QStringLiteral("Свой голос")));
    own.last().command = QStringLiteral("моя-программа {text} {wav}");

    // Nothing installed: every known section off, saying which program is missing.
    QList<SpeechProgramDefinition> nothing = own;
    QHash<QString, QString> missing = switchOnFoundSpeechPrograms(nothing, machine.places);
    EXPECT_TRUE(missing.value(QStringLiteral("Festival")).contains(QStringLiteral("программа text2wave")));
    EXPECT_TRUE(missing.value(QStringLiteral("RHVoice")).contains(QStringLiteral("программа RHVoice-test")));
    EXPECT_TRUE(missing.value(QStringLiteral("Piper")).contains(QStringLiteral("программа piper")));
    EXPECT_TRUE(missing.value(QStringLiteral("espeak-ng")).contains(QStringLiteral("программа espeak-ng")));
    for (const SpeechProgramDefinition &definition : std::as_const(nothing))
        EXPECT_EQ(definition.enabled, definition.section == u"Свой голос") << definition.section.toStdString();
    EXPECT_FALSE(missing.contains(QStringLiteral("Свой голос")));

    // The programs without their Russian voices: still off, saying so.
    for (const char *program : {"text2wave", "RHVoice-test", "piper"})
        machine.installProgram(QLatin1String(program));
    machine.installFile(QStringLiteral("share/RHVoice/voices/alan/voice.info"), "name=Alan\nlanguage=English\n");
    machine.installFile(QStringLiteral("home data/piper/en_US-amy-low.onnx"));
    QList<SpeechProgramDefinition> noVoices = own;
    missing = switchOnFoundSpeechPrograms(noVoices, machine.places);
    EXPECT_TRUE(missing.value(QStringLiteral("Festival")).contains(QStringLiteral("msu_ru_nsh_clunits")));
    EXPECT_TRUE(missing.value(QStringLiteral("Festival")).contains(QStringLiteral("festvox-ru")));
    EXPECT_TRUE(missing.value(QStringLiteral("RHVoice")).contains(QStringLiteral("русский голос RHVoice")));
    EXPECT_TRUE(missing.value(QStringLiteral("Piper")).contains(QStringLiteral("модель русского голоса Piper")));
    EXPECT_FALSE(section(noVoices, "Festival").enabled);

    // Everything: on, RHVoice speaking with the Russian voice found and
    // Piper with the model found (its folder has a blank and Cyrillic).
    machine.installEverything();
    QList<SpeechProgramDefinition> everything = own;
    missing = switchOnFoundSpeechPrograms(everything, machine.places);
    EXPECT_TRUE(missing.isEmpty()) << missing.values().join(u'\n').toStdString();
    for (const SpeechProgramDefinition &definition : std::as_const(everything))
        EXPECT_TRUE(definition.enabled) << definition.section.toStdString();
    EXPECT_EQ(section(everything, "Festival").command, section(own, "Festival").command);
    const QStringList rhvoice = QProcess::splitCommand(section(everything, "RHVoice").command);
    EXPECT_EQ(rhvoice.at(rhvoice.indexOf(QStringLiteral("-p")) + 1), u"anna");
    const QStringList piper = QProcess::splitCommand(section(everything, "Piper").command);
    EXPECT_EQ(piper.at(piper.indexOf(QStringLiteral("--model")) + 1),
              machine.folder.file(QStringLiteral("home data/piper/мои голоса/ru_RU-denis-medium.onnx")));
    EXPECT_EQ(piper.last(), u"{wav}");
    EXPECT_EQ(section(everything, "Свой голос").command, own.last().command);

    // A Piper model the section names and that exists is kept.
    machine.installFile(QStringLiteral("share/piper/ru_RU-irina-medium.onnx"));
    SpeechProgramDefinition named = section(own, "Piper");
    named.command = QStringLiteral("piper --model \"%1\" --output_file {wav}")
                        .arg(machine.folder.file(QStringLiteral("share/piper/ru_RU-irina-medium.onnx")));
    const SpeechProgramSearch kept = searchSpeechProgram(named, machine.places);
    EXPECT_TRUE(kept.found);
    EXPECT_EQ(kept.command, named.command);
}

// A first start switches on what this machine has (here, through PATH and
// XDG_DATA_DIRS pointing at the fake machine); a later start, or a file the
// user already has, is left alone.
TEST(SpeechProgramFinder, FirstStartSwitchesOnTheProgramsFoundAndOnlyOnce)
{
    FakeMachine machine;
    machine.installEverything();
    const QByteArray formerPath = qgetenv("PATH");
    const QByteArray formerDataDirs = qgetenv("XDG_DATA_DIRS");
    const QByteArray formerDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("PATH", machine.places.executableFolders.first().toLocal8Bit());
    qputenv("XDG_DATA_HOME", machine.places.dataFolders.at(0).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", machine.places.dataFolders.at(1).toLocal8Bit());

    TempProgramFolder fresh;
    seedProgramFolderFindingVoices(fresh.path());
    const QString file = ProgramFolder(fresh.path()).speechProgramsFile();
    const QList<SpeechProgramDefinition> found = loadSpeechProgramDefinitions(file);
    for (const SpeechProgramDefinition &definition : found)
        EXPECT_TRUE(definition.enabled) << definition.section.toStdString();
    const QByteArray written = fresh.readBytes(QStringLiteral("SpeechPrograms.ini"));
    EXPECT_EQ(written.count("\n"), written.count("\r\n"));
    EXPECT_TRUE(Codec::fromCp1251(written).contains(QStringLiteral("; Name     — название голоса")));

    TempProgramFolder own;
    own.writeCp1251(QStringLiteral("SpeechPrograms.ini"),
                    QStringLiteral("[Festival]\r\nEnabled=0\r\nCommand=text2wave -o {wav} {text}\r\n"));
    seedProgramFolderFindingVoices(own.path());
    EXPECT_FALSE(loadSpeechProgramDefinitions(ProgramFolder(own.path()).speechProgramsFile()).first().enabled);

    qputenv("PATH", formerPath);
    formerDataDirs.isNull() ? qunsetenv("XDG_DATA_DIRS") : qputenv("XDG_DATA_DIRS", formerDataDirs);
    formerDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", formerDataHome);
}
