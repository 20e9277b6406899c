#include "recording/voice_markup.h"

#include "import/voice_markers.h"

#include <QStringList>

namespace {

QString quoted(int value)
{
    return u'"' + QString::number(value) + u'"';
}

QString silence(int msec)
{
    return QStringLiteral("<silence msec=") + quoted(msec) + QStringLiteral("/>");
}

// A role's voice is named only when some role has a voice of its own, so
// that a table without role voices gives the markup it always gave.
QString sapiVoice(const VoiceParams &v, int r)
{
    if (!hasRoleVoices(v))
        return QString();
    QString name = roleVoiceName(v, r);
    name.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"))
        .replace(u'"', QStringLiteral("&quot;"));
    return QStringLiteral(" <voice required=\"Name=") + name + QStringLiteral("\"/>");
}

// A speaking role: its pause, then its rate, pitch and voice for what follows.
QString sapiRole(const VoiceParams &v, int r)
{
    return QStringLiteral("\n        ") + silence(v.pause[r - 1]) + QStringLiteral(" <rate absspeed=")
           + quoted(v.speed[r - 1]) + QStringLiteral("/> <pitch absmiddle=") + quoted(v.pitch[r - 1])
           + QStringLiteral("/>") + sapiVoice(v, r);
}

// Lines that hold only blanks become empty; a CR LF line end stays whole.
QString emptyBlankLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        if (line.trimmed().isEmpty())
            line = line.endsWith(u'\r') ? QStringLiteral("\r") : QString();
    return lines.join(u'\n');
}

// After every sentence or clause mark and line break the rate of the role
// being spoken is stated again; the role is named by the piece after a "{".
QString restateRates(const QString &text, const VoiceParams &v)
{
    QString rateTag[5];
    for (int r = 1; r <= 4; ++r)
        rateTag[r] = QStringLiteral("  \\absspeed{") + QString::number(v.speed[r - 1]) + QStringLiteral("} ");
    QStringList pieces = text.split(u'{');
    QString current;
    for (QString &piece : pieces) {
        if (piece.startsWith(QStringLiteral("повест")))
            current = rateTag[1];
        else if (piece.startsWith(QStringLiteral("речь->")))
            current = rateTag[2];
        else if (piece.startsWith(QStringLiteral("речь2-")))
            current = rateTag[3];
        else if (piece.startsWith(QStringLiteral("автор-")))
            current = rateTag[4];
        if (current.isEmpty())
            continue;
        QString out;
        out.reserve(piece.size() * 2);
        for (QChar c : piece) {
            out.append(c);
            if (c == u'?' || c == u'!' || c == u'.' || c == u',' || c == u'\n')
                out.append(current);
        }
        piece = out;
    }
    return pieces.join(u'{');
}

QString cubeVoiceTag(const VoiceParams &v, int r)
{
    const QString voice =
        hasRoleVoices(v) ? QStringLiteral("\\voice{") + roleVoiceName(v, r) + QStringLiteral("} ") : QString();
    return QStringLiteral(" \\abspitch{") + QString::number(v.pitch[r - 1]) + QStringLiteral("} \\absspeed{")
           + QString::number(v.speed[r - 1]) + QStringLiteral("} ") + voice;
}

QString cubePause(int msec)
{
    return QStringLiteral("\\pause{") + QString::number(msec) + QStringLiteral("ms}");
}

} // namespace

QString toSapiMarkup(const QString &text, const VoiceParams &v)
{
    QString out = normaliseVoiceMarkers(text);
    out.replace(VoiceMarker::pause, silence(v.pause[0]));
    out.replace(VoiceMarker::narration, QStringLiteral("\n<rate absspeed=") + quoted(v.speed[0])
                                            + QStringLiteral("/> <pitch absmiddle=") + quoted(v.pitch[0])
                                            + QStringLiteral("/>") + sapiVoice(v, 1) + u' ');
    out.replace(VoiceMarker::speech, sapiRole(v, 2));
    out.replace(VoiceMarker::speech2, sapiRole(v, 3));
    out.replace(VoiceMarker::author, sapiRole(v, 4));
    return out;
}

QString toCubeMarkup(const QString &text, const VoiceParams &v)
{
    QString out = restateRates(emptyBlankLines(normaliseVoiceMarkers(text)), v);
    out.replace(VoiceMarker::pause, QStringLiteral(". ") + cubePause(v.pause[0]) + u' ');
    out.replace(VoiceMarker::narration, u'.' + cubeVoiceTag(v, 1));
    out.replace(VoiceMarker::speech, u'.' + cubeVoiceTag(v, 2) + cubePause(v.pause[1]));
    out.replace(VoiceMarker::speech2, u'.' + cubeVoiceTag(v, 3) + cubePause(v.pause[2]));
    out.replace(VoiceMarker::author, u'.' + cubeVoiceTag(v, 4) + cubePause(v.pause[3]));
    return out;
}

QString toSapiMarkup(const QString &text, int voiceIndex)
{
    return toSapiMarkup(text, voiceParams(voiceIndex));
}

QString toCubeMarkup(const QString &text, int voiceIndex)
{
    return toCubeMarkup(text, voiceParams(voiceIndex));
}
