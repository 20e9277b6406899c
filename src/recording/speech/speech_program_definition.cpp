#include "recording/speech/speech_program_definition.h"

#include "common/ini_file.h"
#include "common/program_folder.h"
#include "common/text_codec.h"
#include "common/user_file.h"

#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cmath>

namespace {

struct StressFormName
{
    StressForm form;
    const char *name;
};

constexpr StressFormName kStressForms[] = {
    {StressForm::PlusAfter, "after"},
    {StressForm::PlusBefore, "before"},
    {StressForm::CombiningAcute, "acute"},
    {StressForm::Removed, "none"},
};

StressForm stressFormNamed(const QString &name)
{
    for (const StressFormName &known : kStressForms)
        if (name.trimmed().compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0)
            return known.form;
    return StressForm::Removed;
}

QString stressFormName(StressForm form)
{
    for (const StressFormName &known : kStressForms)
        if (known.form == form)
            return QLatin1String(known.name);
    return QStringLiteral("none");
}

// "[name]" lines: the sections of the file in their order.
QStringList sectionNames(const IniDocument &ini)
{
    QStringList names;
    for (const QString &line : ini.lines()) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']'))
            names.append(trimmed.mid(1, trimmed.size() - 2).trimmed());
    }
    return names;
}

// The file without the sections named: their header, keys and comments up
// to the next section go.
IniDocument withoutSections(const IniDocument &ini, const QStringList &sections)
{
    QStringList kept;
    bool dropping = false;
    for (const QString &line : ini.lines()) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']'))
            dropping = sections.contains(trimmed.mid(1, trimmed.size() - 2).trimmed(), Qt::CaseInsensitive);
        if (!dropping)
            kept.append(line);
    }
    return IniDocument::fromText(kept.join(QStringLiteral("\r\n")));
}

// Commands name model files and folders the user chose, which Windows-1251
// may not hold: such a file is kept in UTF-8 and read back either way.
std::optional<IniDocument> readDefinitionsFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return IniDocument();
    const std::optional<QByteArray> bytes = UserFile::readBytes(path);
    if (!bytes)
        return std::nullopt;
    return IniDocument::fromText(Codec::decodeUserFile(*bytes));
}

// A program whose range is in whole numbers may not read a fraction.
QString programNumber(const std::optional<ProgramValueRange> &range, int percent);

QString withPlaceholders(QString text, const SpeechProgramDefinition &definition, const QString &textFile,
                         const QString &wavFile, int ratePercent, int pitchPercent)
{
    text.replace(QStringLiteral("{text}"), textFile);
    text.replace(QStringLiteral("{wav}"), wavFile);
    text.replace(QStringLiteral("{rate}"), programNumber(definition.rate, ratePercent));
    text.replace(QStringLiteral("{pitch}"), programNumber(definition.pitch, pitchPercent));
    return text;
}

QList<SpeechProgramDefinition> &installed()
{
    static QList<SpeechProgramDefinition> definitions;
    return definitions;
}

} // namespace

std::optional<ProgramValueRange> parseValueRange(const QString &text)
{
    const QStringList parts = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return std::nullopt;
    double values[3] = {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = QString(parts.at(i)).replace(u',', u'.').toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return ProgramValueRange{values[0], values[1], values[2]};
}

QString valueRangeText(const std::optional<ProgramValueRange> &range)
{
    if (!range)
        return QString();
    return iniNumberText(range->lowest) + u' ' + iniNumberText(range->normal) + u' ' + iniNumberText(range->highest);
}

QList<SpeechProgramDefinition> loadSpeechProgramDefinitions(const QString &iniPath)
{
    const IniDocument ini = readDefinitionsFile(iniPath).value_or(IniDocument());
    QList<SpeechProgramDefinition> definitions;
    for (const QString &section : sectionNames(ini)) {
        const auto value = [&](const char *key) { return ini.read(section, QLatin1String(key)).value_or(QString()); };
        SpeechProgramDefinition definition;
        definition.section = section;
        definition.enabled = value("Enabled").trimmed() == u"1";
        definition.name = value("Name").trimmed();
        if (definition.name.isEmpty())
            definition.name = section;
        definition.command = value("Command").trimmed();
        definition.textOnStandardInput = value("Input").trimmed().compare(u"stdin", Qt::CaseInsensitive) == 0;
        const QString encoding = value("Encoding").trimmed();
        if (!encoding.isEmpty())
            definition.encoding = encoding;
        definition.rate = parseValueRange(value("Rate"));
        definition.pitch = parseValueRange(value("Pitch"));
        definition.stress = stressFormNamed(value("Stress"));
        definition.plainPunctuation = value("Punctuation").trimmed().compare(u"plain", Qt::CaseInsensitive) == 0;
        definition.sessionCommand = value("Session").trimmed();
        definition.sessionStart = value("SessionStart").trimmed();
        definition.sessionSay = value("SessionSay").trimmed();
        definition.sessionDone = value("SessionDone").trimmed();
        definitions.append(definition);
    }
    return definitions;
}

bool saveSpeechProgramDefinitions(const QList<SpeechProgramDefinition> &definitions, const QStringList &removedSections,
                                  const QString &iniPath)
{
    std::optional<IniDocument> ini = readDefinitionsFile(iniPath);
    if (!ini)
        return false;
    if (!removedSections.isEmpty())
        ini = withoutSections(*ini, removedSections);
    for (const SpeechProgramDefinition &d : definitions) {
        QList<std::pair<QString, QString>> keys = {
            {QStringLiteral("Enabled"), d.enabled ? QStringLiteral("1") : QStringLiteral("0")},
            {QStringLiteral("Name"), d.name},
            {QStringLiteral("Command"), d.command},
            {QStringLiteral("Input"), d.textOnStandardInput ? QStringLiteral("stdin") : QStringLiteral("file")},
            {QStringLiteral("Encoding"), d.encoding},
            {QStringLiteral("Rate"), valueRangeText(d.rate)},
            {QStringLiteral("Pitch"), valueRangeText(d.pitch)},
            {QStringLiteral("Stress"), stressFormName(d.stress)},
            {QStringLiteral("Punctuation"), d.plainPunctuation ? QStringLiteral("plain") : QStringLiteral("keep")}};
        // A section without a session gets no empty session keys.
        const bool session = !(d.sessionCommand + d.sessionStart + d.sessionSay + d.sessionDone).isEmpty();
        if (session || ini->read(d.section, QStringLiteral("Session")))
            keys += {{QStringLiteral("Session"), d.sessionCommand},
                     {QStringLiteral("SessionStart"), d.sessionStart},
                     {QStringLiteral("SessionSay"), d.sessionSay},
                     {QStringLiteral("SessionDone"), d.sessionDone}};
        ini->writeKeys(d.section, keys);
    }
    return UserFile::writeBytes(iniPath, Codec::encodeUserFile(ini->toText()));
}

const QList<SpeechProgramDefinition> &installedSpeechPrograms()
{
    return installed();
}

void setInstalledSpeechPrograms(const QList<SpeechProgramDefinition> &definitions)
{
    QList<SpeechProgramDefinition> enabled;
    for (const SpeechProgramDefinition &definition : definitions)
        if (definition.enabled)
            enabled.append(definition);
    installed() = enabled;
}

void loadSpeechPrograms(const QString &programFolder)
{
    setInstalledSpeechPrograms(loadSpeechProgramDefinitions(ProgramFolder(programFolder).speechProgramsFile()));
}

namespace {

QString programNumber(const std::optional<ProgramValueRange> &range, int percent)
{
    if (!range)
        return QString();
    const double value = programValue(*range, percent);
    const bool whole = std::trunc(range->lowest) == range->lowest && std::trunc(range->normal) == range->normal
                       && std::trunc(range->highest) == range->highest;
    return iniNumberText(whole ? std::round(value) : std::round(value * 1000) / 1000);
}

} // namespace

double programValue(const ProgramValueRange &range, int percent)
{
    if (percent <= 100) {
        const double share = std::clamp((percent - 25) / 75.0, 0.0, 1.0);
        return range.lowest + (range.normal - range.lowest) * share;
    }
    const double share = std::clamp((percent - 100) / 100.0, 0.0, 1.0);
    return range.normal + (range.highest - range.normal) * share;
}

QStringList speechProgramCommand(const SpeechProgramDefinition &definition, const QString &textFile,
                                 const QString &wavFile, int ratePercent, int pitchPercent)
{
    QStringList arguments = QProcess::splitCommand(definition.command);
    for (QString &argument : arguments)
        argument = withPlaceholders(argument, definition, textFile, wavFile, ratePercent, pitchPercent);
    return arguments;
}

QString speechProgramSessionLine(const SpeechProgramDefinition &definition, const QString &textFile,
                                 const QString &wavFile, int ratePercent, int pitchPercent)
{
    // The names go inside the program's own quotes.
    const auto escaped = [](QString name) {
        return name.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    };
    return withPlaceholders(definition.sessionSay, definition, escaped(textFile), escaped(wavFile), ratePercent,
                            pitchPercent);
}
