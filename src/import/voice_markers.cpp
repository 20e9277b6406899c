#include "import/voice_markers.h"

#include "common/replace_all.h"

QString removeVoiceMarkers(const QString &text)
{
    QString t = text;
    for (const QString &marker : VoiceMarker::all)
        t = replaceAll(t, marker, QString(), true);
    return t;
}
