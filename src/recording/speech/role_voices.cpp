#include "recording/speech/role_voices.h"

#include "recording/speech/voice_list.h"

namespace {

const QString kVariantFolder = QStringLiteral("!v/");

// "m3" of "!v/m3".
QString variantName(const EngineVoice &variant)
{
    return variant.identifier.startsWith(kVariantFolder) ? variant.identifier.mid(kVariantFolder.size())
                                                         : variant.identifier;
}

bool isRussianEngineVoice(const VoiceToken &voice)
{
    return !voice.speechProgram && voice.language.startsWith(QLatin1String("ru"), Qt::CaseInsensitive);
}

// The voice named by its description, else by its language code.
int voiceNamed(const QString &name, const QList<VoiceToken> &voices, bool engineOnly)
{
    for (int i = 0; i < voices.size(); ++i)
        if ((!engineOnly || !voices.at(i).speechProgram) && voices.at(i).description == name)
            return i;
    for (int i = 0; i < voices.size(); ++i)
        if (!voices.at(i).speechProgram && voices.at(i).language.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

QList<RoleVoiceChoice> roleVoiceChoices(const QList<VoiceToken> &voices, const QList<EngineVoice> &variants)
{
    QList<RoleVoiceChoice> choices{{QString(), QStringLiteral("Голос книги")}};
    for (const ListedVoice &listed : listedVoices(voices)) {
        const VoiceToken &voice = voices.at(listed.index);
        choices.append({voice.description, listed.name});
        if (!isRussianEngineVoice(voice))
            continue;
        for (const EngineVoice &variant : variants)
            choices.append({voice.description + u'+' + variantName(variant),
                            listed.name + QStringLiteral(", вариант ") + variant.description});
    }
    return choices;
}

std::optional<RoleVoiceTarget> findRoleVoice(const QString &name, const QList<VoiceToken> &voices,
                                             const QList<EngineVoice> &variants)
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    // A whole name first: a speech program's name may hold a "+".
    if (const int whole = voiceNamed(wanted, voices, false); whole >= 0)
        return RoleVoiceTarget{whole, QString()};
    const int plus = int(wanted.lastIndexOf(u'+'));
    if (plus <= 0)
        return std::nullopt;
    const int base = voiceNamed(wanted.left(plus).trimmed(), voices, true);
    const QString variant = wanted.mid(plus + 1).trimmed();
    if (base < 0)
        return std::nullopt;
    for (const EngineVoice &known : variants)
        if (variantName(known).compare(variant, Qt::CaseInsensitive) == 0
            || known.description.compare(variant, Qt::CaseInsensitive) == 0)
            return RoleVoiceTarget{base, variantName(known)};
    return std::nullopt;
}
