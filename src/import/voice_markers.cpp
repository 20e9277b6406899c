#include "import/voice_markers.h"

#include "common/replace_all.h"

#include <QRegularExpression>

QString normaliseVoiceMarkers(const QString &text)
{
    static const QRegularExpression marker(
        QStringLiteral("[ \\t]*(\\{(?:пауза|повествование|речь|речь2|автор)->\\})[ \\t]*"));
    if (!text.contains(QStringLiteral("->}")))
        return text;
    QString t = text;
    return t.replace(marker, QStringLiteral(" \\1 "));
}

QString removeVoiceMarkers(const QString &text)
{
    QString t = normaliseVoiceMarkers(text);
    for (const QString &marker : VoiceMarker::all)
        t = replaceAll(t, marker, QString(), true);
    return t;
}
