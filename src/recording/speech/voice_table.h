#pragma once
// The voice table: for every installed voice its markup kind and, for each of
// the four voice roles (narration, speech, second speech, author), its rate,
// pitch, pause and the voice that speaks the role. Kept in "Voice.ini", one
// section per voice description.

#include "recording/speech/markup_kind.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

struct VoiceParams
{
    MarkupKind voiceKind = MarkupKind::SapiXml;
    int voiceIndex = 0;
    QString name;
    // Index r - 1 for role r.
    std::array<int, 4> pitch{};
    std::array<int, 4> speed{};
    std::array<int, 4> pause{};
    // The voice that speaks the role, as the role voice lists name it
    // (role_voices.h); empty: the voice of this record, the book's voice.
    std::array<QString, 4> roleVoice{};
};

// True when some role is spoken by a voice of its own.
bool hasRoleVoices(const VoiceParams &voice);
// The voice that speaks role r (1..4): its own, else the book's voice (the
// record's name).
QString roleVoiceName(const VoiceParams &voice, int r);

using VoiceTable = QList<VoiceParams>;

// The program-wide table the markup and the recording read.
VoiceTable &voiceTable();
// The record of voice `index`, or an empty record (all zero, SAPI XML) when
// the table has no such voice.
VoiceParams voiceParams(int index);

// The table for these voice descriptions, with the values of `iniPath`.
VoiceTable loadVoiceTable(const QStringList &descriptions, const QString &iniPath);
bool saveVoiceTable(const VoiceTable &table, const QString &iniPath);

// voiceTable from the speech engine's voices, the speech programs of
// programFolder/SpeechPrograms.ini and programFolder/Voice.ini.
void loadVoiceTable(const QString &programFolder);
bool saveVoiceTable(const QString &programFolder);
