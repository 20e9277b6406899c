#pragma once
// Voices found, not typed: which of the speech programs we know (Festival
// with its Russian voice, RHVoice, Piper, espeak-ng's command line) are
// installed, looked for on PATH and in the usual data folders, so that a
// new program folder starts with their sections switched on, and the
// options window can look again ("Найти голоса").

#include "recording/speech/speech_program_definition.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Where programs and their voices are looked for.
struct ProgramSearchPlaces
{
    QStringList executableFolders; // the folders of PATH
    QStringList dataFolders;       // XDG_DATA_HOME first, then XDG_DATA_DIRS
};

// The places of this machine, from the environment (with the XDG defaults).
ProgramSearchPlaces programSearchPlaces();

struct SpeechProgramSearch
{
    bool known = false; // the section's command runs a program we know how to look for
    bool found = false; // the program and a Russian voice for it are installed
    QString command;    // the section's command with the voice or model found
    QString missing;    // what is missing, in Russian, when not found
};

SpeechProgramSearch searchSpeechProgram(const SpeechProgramDefinition &definition, const ProgramSearchPlaces &places);

// Switches each section of a known program on when it was found (its
// command naming the voice found) and off when not; sections of other
// programs stay as they are. Returns what is missing, by section name.
QHash<QString, QString> switchOnFoundSpeechPrograms(QList<SpeechProgramDefinition> &definitions,
                                                    const ProgramSearchPlaces &places);

// Seeds the program folder; when its "SpeechPrograms.ini" is new (a first
// start), the sections of the programs installed here are switched on.
void seedProgramFolderFindingVoices(const QString &programFolder);
