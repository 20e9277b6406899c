#pragma once
// The voices as the voice lists show them (the options window, lectorium-cli
// voices). A voice is stored by its place in SpeechVoice::voices()
// ("Номер движка" in "Lectorium.ini") and by its engine name ("Voice.ini"),
// so a list keeps each voice's index beside the name it shows: only the
// order and the names differ. The Russian voices come first under Russian
// names, then the speech programs the user added (made for Russian books),
// then the other languages under espeak-ng's names, by name.

#include "recording/speech/speech_voice.h"

#include <QList>
#include <QString>

struct ListedVoice
{
    int index = 0; // the place in SpeechVoice::voices()
    QString name;  // what the list shows
};

// "Русский" for espeak-ng's "ru", "Русский (Латвия)" for "ru-lv", a speech
// program's own name, "English (Great Britain)" for
// "English_(Great_Britain)".
QString shownVoiceName(const VoiceToken &voice);

// The voices in the order the lists show them.
QList<ListedVoice> listedVoices(const QList<VoiceToken> &voices);
