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
    QString t = text;
    for (const QString &marker : VoiceMarker::all)
        t = replaceAll(t, marker, QString(), true);
    // Markers whose blanks an outside editor trimmed go too; the blanks
    // around them stay as they were.
    for (const QString &marker : VoiceMarker::all)
        t = replaceAll(t, marker.trimmed(), QString(), true);
    return t;
}
