#include "recording/speech/speech_program_finder.h"

#include "common/program_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// How deep under a data folder Piper models are looked for: voice
// downloads keep them in folders by language and speaker.
constexpr int kModelSearchDepth = 4;

// What a search of one program's voice gives: the voice's name or path for
// the command, or nothing.
struct VoiceSearch
{
    QString voice;
    QString missing;
};

QString folderList(const ProgramSearchPlaces &places, const QString &subfolder)
{
    QStringList folders;
    for (const QString &data : places.dataFolders)
        folders.append(QDir::toNativeSeparators(QDir(data).filePath(subfolder)));
    return folders.join(QStringLiteral(", "));
}

// The argument after `option` (or one of its spellings), or -1.
qsizetype optionValueIndex(const QStringList &arguments, const QStringList &options)
{
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i)
        if (options.contains(arguments.at(i)))
            return i + 1;
    return -1;
}

// An argument list as the section keeps it: split again the way it was
// split, arguments with blanks or quotes in quotes.
QString commandText(const QStringList &arguments)
{
    QStringList parts;
    for (QString argument : arguments) {
        if (argument.contains(u' ') || argument.contains(u'"') || argument.isEmpty())
            argument = u'"' + argument.replace(QStringLiteral("\""), QStringLiteral("\"\"\"")) + u'"';
        parts.append(argument);
    }
    return parts.join(u' ');
}

bool executableFound(const QString &program, const ProgramSearchPlaces &places)
{
    if (program.contains(u'/'))
        return QFileInfo(program).isExecutable();
    // An empty list would make Qt search the machine's own PATH.
    return !places.executableFolders.isEmpty()
           && !QStandardPaths::findExecutable(program, places.executableFolders).isEmpty();
}

// Festival's voice as "(voice_NAME)" in the command names it; its folder is
// festival/voices/LANGUAGE/NAME in a data folder.
VoiceSearch festivalVoice(const QStringList &arguments, const ProgramSearchPlaces &places)
{
    const QRegularExpressionMatch named =
        QRegularExpression(QStringLiteral("\\(voice_([A-Za-z0-9_]+)\\)")).match(arguments.join(u' '));
    const QString wanted = named.hasMatch() ? named.captured(1) : QString();
    for (const QString &data : places.dataFolders) {
        const QDir voices(QDir(data).filePath(QStringLiteral("festival/voices")));
        const QString language = wanted.isEmpty() ? QStringLiteral("russian") : QStringLiteral("*");
        for (const QString &folder : voices.entryList({language}, QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir languageDir(voices.filePath(folder));
            if (wanted.isEmpty() ? !languageDir.isEmpty(QDir::Dirs | QDir::NoDotAndDotDot) : languageDir.exists(wanted))
                return {wanted, QString()};
        }
    }
    const QString what =
        wanted.isEmpty() ? QStringLiteral("русский голос Festival") : QStringLiteral("голос Festival «%1»").arg(wanted);
    return {QString(), QStringLiteral("не найден %1 (пакет festvox-ru) в %2")
                           .arg(what, folderList(places, QStringLiteral("festival/voices")))};
}

// RHVoice's voices are folders of RHVoice/voices with a voice.info that
// says "language=Russian"; the command names one with -p.
VoiceSearch rhvoiceVoice(const QStringList &arguments, const ProgramSearchPlaces &places)
{
    QStringList russian;
    for (const QString &data : places.dataFolders) {
        const QDir voices(QDir(data).filePath(QStringLiteral("RHVoice/voices")));
        for (const QString &folder : voices.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            QFile info(voices.filePath(folder + QStringLiteral("/voice.info")));
            if (info.open(QIODevice::ReadOnly)
                && QString::fromUtf8(info.readAll())
                       .contains(QRegularExpression(QStringLiteral("^\\s*language\\s*=\\s*russian\\s*$"),
                                                    QRegularExpression::CaseInsensitiveOption
                                                        | QRegularExpression::MultilineOption)))
                russian.append(folder);
        }
    }
    if (russian.isEmpty())
        return {QString(), QStringLiteral("не найден русский голос RHVoice в %1")
                               .arg(folderList(places, QStringLiteral("RHVoice/voices")))};
    const qsizetype named = optionValueIndex(arguments, {QStringLiteral("-p"), QStringLiteral("--profile")});
    if (named >= 0 && russian.contains(arguments.at(named), Qt::CaseInsensitive))
        return {arguments.at(named), QString()};
    return {russian.first(), QString()};
}

bool isRussianPiperModel(const QFileInfo &model)
{
    // Piper reads the model's settings from the file beside it.
    return model.fileName().startsWith(QStringLiteral("ru_"))
           && QFileInfo::exists(model.filePath() + QStringLiteral(".json"));
}

// Piper's model is the file the command names with --model, or a Russian
// model (ru_RU-NAME-QUALITY.onnx with its .onnx.json) in piper's data
// folders or beside the program.
VoiceSearch piperModel(const QStringList &arguments, const QString &program, const ProgramSearchPlaces &places)
{
    const qsizetype named = optionValueIndex(arguments, {QStringLiteral("--model"), QStringLiteral("-m")});
    if (named >= 0 && QFileInfo(arguments.at(named)).isFile())
        return {arguments.at(named), QString()};
    QStringList folders;
    for (const QString &data : places.dataFolders)
        for (const char *name : {"piper", "piper-voices", "piper-tts"})
            folders.append(QDir(data).filePath(QLatin1String(name)));
    const QString executable =
        program.contains(u'/') ? program : QStandardPaths::findExecutable(program, places.executableFolders);
    if (!executable.isEmpty())
        folders.append(QFileInfo(executable).absolutePath());
    for (const QString &folder : std::as_const(folders)) {
        QStringList models;
        QDirIterator it(folder, {QStringLiteral("*.onnx")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo model(it.next());
            const int depth = int(QDir(folder).relativeFilePath(model.filePath()).count(u'/'));
            if (depth <= kModelSearchDepth && isRussianPiperModel(model))
                models.append(model.filePath());
        }
        if (!models.isEmpty()) {
            models.sort();
            return {models.first(), QString()};
        }
    }
    return {QString(), QStringLiteral("не найдена модель русского голоса Piper (ru_RU-….onnx с файлом .onnx.json) в %1")
                           .arg(QDir::toNativeSeparators(folders.join(QStringLiteral(", "))))};
}

struct KnownProgram
{
    const char *executable;
    const char *package;
};

constexpr KnownProgram kKnownPrograms[] = {
    {"text2wave", "festival"},
    {"RHVoice-test", "rhvoice"},
    {"piper", "piper"},
    {"espeak-ng", "espeak-ng"},
};

const KnownProgram *knownProgram(const QString &program)
{
    const QString name = QFileInfo(program).fileName();
    for (const KnownProgram &known : kKnownPrograms)
        if (name == QLatin1String(known.executable))
            return &known;
    return nullptr;
}

} // namespace

ProgramSearchPlaces programSearchPlaces()
{
    ProgramSearchPlaces places;
    places.executableFolders = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    places.dataFolders.append(dataHome);
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    places.dataFolders.append(dataDirs.split(u':', Qt::SkipEmptyParts));
    places.dataFolders.removeDuplicates();
    return places;
}

SpeechProgramSearch searchSpeechProgram(const SpeechProgramDefinition &definition, const ProgramSearchPlaces &places)
{
    SpeechProgramSearch search;
    QStringList arguments = QProcess::splitCommand(definition.command);
    const KnownProgram *known = arguments.isEmpty() ? nullptr : knownProgram(arguments.first());
    if (!known)
        return search;
    search.known = true;
    const QString program = arguments.first();
    if (!executableFound(program, places)) {
        search.missing =
            QStringLiteral("не найдена программа %1 (пакет %2)").arg(program, QLatin1String(known->package));
        return search;
    }
    const QLatin1String name(known->executable);
    if (name == QLatin1String("espeak-ng")) {
        search.found = true;
        search.command = definition.command;
        return search;
    }
    VoiceSearch voice;
    qsizetype voiceArgument = -1;
    if (name == QLatin1String("text2wave")) {
        voice = festivalVoice(arguments, places);
    } else if (name == QLatin1String("RHVoice-test")) {
        voice = rhvoiceVoice(arguments, places);
        voiceArgument = optionValueIndex(arguments, {QStringLiteral("-p"), QStringLiteral("--profile")});
    } else {
        voice = piperModel(arguments, program, places);
        voiceArgument = optionValueIndex(arguments, {QStringLiteral("--model"), QStringLiteral("-m")});
    }
    if (!voice.missing.isEmpty()) {
        search.missing = voice.missing;
        return search;
    }
    search.found = true;
    if (voiceArgument >= 0 && arguments.at(voiceArgument) != voice.voice) {
        arguments[voiceArgument] = voice.voice;
        search.command = commandText(arguments);
    } else {
        search.command = definition.command;
    }
    return search;
}

QHash<QString, QString> switchOnFoundSpeechPrograms(QList<SpeechProgramDefinition> &definitions,
                                                    const ProgramSearchPlaces &places)
{
    QHash<QString, QString> missing;
    for (SpeechProgramDefinition &definition : definitions) {
        const SpeechProgramSearch search = searchSpeechProgram(definition, places);
        if (!search.known)
            continue;
        definition.enabled = search.found;
        if (search.found)
            definition.command = search.command;
        else
            missing.insert(definition.section, search.missing);
    }
    return missing;
}

void seedProgramFolderFindingVoices(const QString &programFolder)
{
    const QString file = ProgramFolder(programFolder).speechProgramsFile();
    const bool firstStart = !QFileInfo::exists(file);
    seedProgramFolder(programFolder);
    if (!firstStart || !QFileInfo::exists(file))
        return;
    QList<SpeechProgramDefinition> definitions = loadSpeechProgramDefinitions(file);
    switchOnFoundSpeechPrograms(definitions, programSearchPlaces());
    saveSpeechProgramDefinitions(definitions, {}, file);
}
