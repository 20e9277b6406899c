#pragma once
// The voices a role (narration, speech, second speech, author) can be given
// in the voice table, and what a role voice name stands for. A role voice is
// stored by name: a voice's description as "Voice.ini" names it ("Russian",
// a speech program's name), for an espeak-ng voice optionally followed by
// "+" and one of its variants ("Russian+m3"). An espeak-ng voice's language
// code is taken as well ("ru+f3", as espeak-ng's own -v takes it).

#include "recording/speech/espeak_engine.h"
#include "recording/speech/speech_voice.h"

#include <QList>
#include <QString>

#include <optional>

struct RoleVoiceChoice
{
    QString name;  // what the table keeps; empty for the book's voice
    QString shown; // what the list shows
};

// "Голос книги" first, then the voices in the order the voice lists show
// them, each Russian espeak-ng voice followed by its variants.
QList<RoleVoiceChoice> roleVoiceChoices(const QList<VoiceToken> &voices, const QList<EngineVoice> &variants);

struct RoleVoiceTarget
{
    int index = -1;  // the place in `voices`
    QString variant; // the variant's file name ("m3"), empty for none
};

// The voice a role voice name stands for, or nothing when no voice of the
// list (or no variant) goes by it.
std::optional<RoleVoiceTarget> findRoleVoice(const QString &name, const QList<VoiceToken> &voices,
                                             const QList<EngineVoice> &variants);
