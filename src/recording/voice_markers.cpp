#include "recording/voice_markers.h"

QString VoiceMarkers::removeAll(QString text)
{
    for (const QString *marker : {&pause, &narration, &speech, &speech2, &author})
        text.replace(*marker, QString());
    return text;
}
