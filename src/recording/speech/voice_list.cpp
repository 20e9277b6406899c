#include "recording/speech/voice_list.h"

#include <algorithm>

namespace {

bool isRussian(const VoiceToken &voice)
{
    return voice.language.compare(QLatin1String("ru"), Qt::CaseInsensitive) == 0
           || voice.language.startsWith(QLatin1String("ru-"), Qt::CaseInsensitive);
}

// The group a voice is listed in, first to last: Russian, the speech
// programs, the other languages.
int listGroup(const VoiceToken &voice)
{
    if (isRussian(voice))
        return 0;
    return voice.speechProgram ? 1 : 2;
}

// The region of a Russian voice ("lv" of "ru-lv") in Russian.
QString russianRegionName(const QString &region)
{
    static const QList<std::pair<const char *, const char *>> kRegions = {
        {"lv", "Латвия"}, {"ua", "Украина"}, {"by", "Беларусь"}, {"kz", "Казахстан"}, {"ru", "Россия"},
    };
    for (const auto &[code, name] : kRegions)
        if (region.compare(QLatin1String(code), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(name);
    return region;
}

} // namespace

QString shownVoiceName(const VoiceToken &voice)
{
    if (isRussian(voice)) {
        const QString region = voice.language.mid(3);
        return region.isEmpty() ? QStringLiteral("Русский")
                                : QStringLiteral("Русский (%1)").arg(russianRegionName(region));
    }
    if (voice.speechProgram)
        return voice.description;
    // espeak-ng joins the words of a name with "_".
    return QString(voice.description).replace(u'_', u' ').trimmed();
}

QList<ListedVoice> listedVoices(const QList<VoiceToken> &voices)
{
    QList<ListedVoice> listed;
    for (int i = 0; i < voices.size(); ++i)
        listed.append({i, shownVoiceName(voices.at(i))});
    // The Russian voices and the programs keep their order (the engine's
    // main voice first, the programs as the user put them); the other
    // languages are found by name.
    std::stable_sort(listed.begin(), listed.end(), [&voices](const ListedVoice &a, const ListedVoice &b) {
        const int groupA = listGroup(voices.at(a.index));
        const int groupB = listGroup(voices.at(b.index));
        if (groupA != groupB)
            return groupA < groupB;
        return groupA == 2 && a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return listed;
}
