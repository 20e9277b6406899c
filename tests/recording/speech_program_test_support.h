#pragma once
// Speech programs for the tests: espeak-ng's own command line as an outside
// voice, and scripts that stand in for a program that fails or hangs.

#include "recording/speech/speech_program_definition.h"
#include "support/temp_program_folder.h"

#include <QFile>

inline SpeechProgramDefinition espeakCommandLineVoice(const QString &name = QStringLiteral("Внешний голос"))
{
    SpeechProgramDefinition voice;
    voice.section = name;
    voice.enabled = true;
    voice.name = name;
    voice.command = QStringLiteral("espeak-ng -v ru -s {rate} -w {wav} -f {text}");
    voice.rate = ProgramValueRange{80, 175, 350};
    return voice;
}

// An executable shell script in the test's folder; its name has a blank and
// Cyrillic, as a user's folders do.
inline QString writeScript(const TempProgramFolder &folder, const QString &name, const QString &body)
{
    const QString path = folder.file(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
