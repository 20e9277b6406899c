#include "recording/speech/voice_table.h"

#include "common/ini_file.h"
#include "common/program_folder.h"
#include "recording/speech/speech_voice.h"

namespace {

QString iniPathIn(const QString &programFolder)
{
    return ProgramFolder(programFolder).voiceSettingsFile();
}

QString key(int role, const char *field)
{
    return QString::number(role) + QLatin1String(field);
}

int readNumber(const IniDocument &ini, const QString &section, const QString &name)
{
    return ini.read(section, name).value_or(QString()).trimmed().toInt();
}

} // namespace

VoiceTable &voiceTable()
{
    static VoiceTable table;
    return table;
}

VoiceParams voiceParams(int index)
{
    const VoiceTable &table = voiceTable();
    return index >= 0 && index < table.size() ? table.at(index) : VoiceParams{};
}

VoiceTable loadVoiceTable(const QStringList &descriptions, const QString &iniPath)
{
    const IniDocument ini = IniDocument::load(iniPath);
    VoiceTable table;
    for (int i = 0; i < descriptions.size(); ++i) {
        VoiceParams voice;
        voice.name = descriptions.at(i);
        voice.voiceIndex = i;
        voice.voiceKind = voice.name.contains(QStringLiteral("Cube")) ? MarkupKind::PlainText : MarkupKind::SapiXml;
        for (int r = 1; r <= 4; ++r) {
            voice.speed[r - 1] = readNumber(ini, voice.name, key(r, "Speed"));
            voice.pitch[r - 1] = readNumber(ini, voice.name, key(r, "Pitch"));
            voice.pause[r - 1] = readNumber(ini, voice.name, key(r, "Pause"));
        }
        table.append(voice);
    }
    return table;
}

bool saveVoiceTable(const VoiceTable &table, const QString &iniPath)
{
    std::optional<IniDocument> ini = IniDocument::loadForUpdate(iniPath);
    if (!ini)
        return false;
    for (const VoiceParams &voice : table) {
        for (int r = 1; r <= 4; ++r) {
            ini->write(voice.name, key(r, "Speed"), voice.speed[r - 1]);
            ini->write(voice.name, key(r, "Pitch"), voice.pitch[r - 1]);
            ini->write(voice.name, key(r, "Pause"), voice.pause[r - 1]);
        }
    }
    return ini->save(iniPath);
}

void loadVoiceTable(const QString &programFolder)
{
    QStringList descriptions;
    for (const VoiceToken &voice : SpeechVoice::voices())
        descriptions.append(voice.description);
    voiceTable() = loadVoiceTable(descriptions, iniPathIn(programFolder));
}

bool saveVoiceTable(const QString &programFolder)
{
    return saveVoiceTable(voiceTable(), iniPathIn(programFolder));
}
