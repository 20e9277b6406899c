#pragma once
// A speech program the user has (RHVoice, Piper, Festival, a script of his
// own) made into a voice: one section of "SpeechPrograms.ini" in the program
// folder. The program is started for each piece of text with an argument
// list whose placeholders name the text file, the WAV file it writes and,
// where it understands them, the rate and the pitch in its own units.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// How the voice wants the stress marks ("+" after a vowel in our texts).
enum class StressForm { PlusAfter, PlusBefore, CombiningAcute, Removed };

// A program value for the slowest (lowest), normal and fastest (highest)
// setting the voice table allows (25, 100 and 200 per cent).
struct ProgramValueRange
{
    double lowest = 0;
    double normal = 0;
    double highest = 0;
};

struct SpeechProgramDefinition
{
    QString section; // the section name in the file, never shown
    bool enabled = false;
    QString name;    // the voice's name in the voice lists
    QString command; // program and arguments, quoted where they hold blanks
    bool textOnStandardInput = false;
    QString encoding = QStringLiteral("UTF-8");
    std::optional<ProgramValueRange> rate;
    std::optional<ProgramValueRange> pitch;
    StressForm stress = StressForm::Removed;
    // The program's front end reads only plain ASCII punctuation
    // ("Punctuation=plain"): see plainPunctuation.
    bool plainPunctuation = false;
    // A program that can stay running for a whole book reads a command line
    // on its standard input for each stretch instead of being started for
    // each ("Session": its command; empty, the program starts each time).
    // "SessionStart" is written once when it starts, "SessionSay" for each
    // stretch ({text}, {wav}, {rate}, {pitch}, the file names escaped as in
    // a C string), and the program writes "SessionDone" as a line of its
    // own (on either output) when the stretch's WAV is written.
    QString sessionCommand;
    QString sessionStart;
    QString sessionSay;
    QString sessionDone;

    bool usesSession() const { return !sessionCommand.isEmpty() && !sessionSay.isEmpty() && !sessionDone.isEmpty(); }
};

// Every section of the file, switched on or off, in the file's order.
QList<SpeechProgramDefinition> loadSpeechProgramDefinitions(const QString &iniPath);
// Writes the definitions into the file, keeping its comments and every
// other line; sections of `removedSections` are taken out.
bool saveSpeechProgramDefinitions(const QList<SpeechProgramDefinition> &definitions, const QStringList &removedSections,
                                  const QString &iniPath);

// The switched-on definitions the voice list shows after the engine's
// voices, read from the program folder's "SpeechPrograms.ini".
const QList<SpeechProgramDefinition> &installedSpeechPrograms();
void loadSpeechPrograms(const QString &programFolder);
// Tests and the options window put a list in place directly.
void setInstalledSpeechPrograms(const QList<SpeechProgramDefinition> &definitions);

// The value the program takes for a voice table setting in per cent
// (100 normal): along the straight line from lowest to normal below 100,
// from normal to highest above.
double programValue(const ProgramValueRange &range, int percent);
// The arguments for one run, placeholders filled in. Empty when the command
// names no program.
QStringList speechProgramCommand(const SpeechProgramDefinition &definition, const QString &textFile,
                                 const QString &wavFile, int ratePercent, int pitchPercent);
// The line a session program gets for one stretch, placeholders filled in.
QString speechProgramSessionLine(const SpeechProgramDefinition &definition, const QString &textFile,
                                 const QString &wavFile, int ratePercent, int pitchPercent);
// "Rate" and "Pitch" as the file keeps them: three numbers.
std::optional<ProgramValueRange> parseValueRange(const QString &text);
QString valueRangeText(const std::optional<ProgramValueRange> &range);
