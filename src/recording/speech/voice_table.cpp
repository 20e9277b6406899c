#include "recording/speech/voice_table.h"

#include "common/ini_file.h"
#include "common/program_folder.h"
#include "recording/speech/speech_program_definition.h"
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

int readNumber(const IniDocument &ini, const QString &section, const QString &name, int absent)
{
    const std::optional<QString> value = ini.read(section, name);
    return value ? value->trimmed().toInt() : absent;
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
        voice.voiceKind = SpeechVoice::markupKindOf(voice.name);
        // Plain-text voices count rate and pitch in per cent: a value never
        // set is their normal, not the slowest they allow.
        const int normal = voice.voiceKind == MarkupKind::PlainText ? 100 : 0;
        for (int r = 1; r <= 4; ++r) {
            voice.speed[r - 1] = readNumber(ini, voice.name, key(r, "Speed"), normal);
            voice.pitch[r - 1] = readNumber(ini, voice.name, key(r, "Pitch"), normal);
            voice.pause[r - 1] = readNumber(ini, voice.name, key(r, "Pause"), 0);
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
    // The speech programs are voices of the list as well.
    loadSpeechPrograms(programFolder);
    QStringList descriptions;
    for (const VoiceToken &voice : SpeechVoice::voices())
        descriptions.append(voice.description);
    voiceTable() = loadVoiceTable(descriptions, iniPathIn(programFolder));
}

bool saveVoiceTable(const QString &programFolder)
{
    return saveVoiceTable(voiceTable(), iniPathIn(programFolder));
}
