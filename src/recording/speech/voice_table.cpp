#include "recording/speech/voice_table.h"

#include "common/ini_file.h"
#include "common/program_folder.h"
#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/speech/speech_program_definition.h"
#include "recording/speech/speech_voice.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString iniPathIn(const QString &programFolder)
{
    return ProgramFolder(programFolder).voiceSettingsFile();
}

QString key(int role, const char *field)
{
    return QString::number(role) + QLatin1String(field);
}

// Sections and role voices name speech programs, which Windows-1251 may not
// hold: such a file is kept in UTF-8 and read back either way.
std::optional<IniDocument> readVoiceIni(const QString &iniPath)
{
    if (!QFileInfo::exists(iniPath))
        return IniDocument();
    const std::optional<QByteArray> bytes = UserFile::readBytes(iniPath);
    if (!bytes)
        return std::nullopt;
    return IniDocument::fromText(Codec::decodeUserFile(*bytes));
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

bool hasRoleVoices(const VoiceParams &voice)
{
    return std::any_of(voice.roleVoice.cbegin(), voice.roleVoice.cend(),
                       [](const QString &name) { return !name.isEmpty(); });
}

QString roleVoiceName(const VoiceParams &voice, int r)
{
    const QString &own = voice.roleVoice[r - 1];
    return own.isEmpty() ? voice.name : own;
}

VoiceTable loadVoiceTable(const QStringList &descriptions, const QString &iniPath)
{
    const IniDocument ini = readVoiceIni(iniPath).value_or(IniDocument());
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
            voice.roleVoice[r - 1] = ini.read(voice.name, key(r, "Voice")).value_or(QString()).trimmed();
        }
        table.append(voice);
    }
    return table;
}

bool saveVoiceTable(const VoiceTable &table, const QString &iniPath)
{
    std::optional<IniDocument> ini = readVoiceIni(iniPath);
    if (!ini)
        return false;
    for (const VoiceParams &voice : table) {
        for (int r = 1; r <= 4; ++r) {
            ini->write(voice.name, key(r, "Speed"), voice.speed[r - 1]);
            ini->write(voice.name, key(r, "Pitch"), voice.pitch[r - 1]);
            ini->write(voice.name, key(r, "Pause"), voice.pause[r - 1]);
            // A file that never had a role voice keeps to its old keys.
            const QString &roleVoice = voice.roleVoice[r - 1];
            if (!roleVoice.isEmpty() || ini->read(voice.name, key(r, "Voice")))
                ini->write(voice.name, key(r, "Voice"), roleVoice);
        }
    }
    return UserFile::writeBytes(iniPath, Codec::encodeUserFile(ini->toText()));
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
