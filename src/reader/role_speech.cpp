#include "reader/role_speech.h"

#include <algorithm>

namespace {

QString escaped(QChar c)
{
    switch (c.unicode()) {
    case u'&': return QStringLiteral("&amp;");
    case u'<': return QStringLiteral("&lt;");
    case u'>': return QStringLiteral("&gt;");
    case u'"': return QStringLiteral("&quot;");
    default: return QString(c);
    }
}

QString escaped(const QString &text)
{
    QString out;
    for (const QChar c : text)
        out += escaped(c);
    return out;
}

QString voiceTag(const VoiceParams &voice, int role)
{
    return QStringLiteral("<voice required=\"Name=") + escaped(roleVoiceName(voice, role)) + QStringLiteral("\"/>");
}

} // namespace

RoleSpeech::RoleSpeech(const QString &text, const QList<RoleStart> &roles, const VoiceParams &voice)
{
    // Before its first marker a chapter is spoken by the voice told to
    // speak, as the recording speaks a block.
    auto next = roles.cbegin();
    for (qsizetype i = 0; i <= text.size(); ++i) {
        for (; next != roles.cend() && next->position <= i; ++next)
            if (next->role >= 1 && next->role <= 4)
                append(voiceTag(voice, next->role), i);
        if (i < text.size())
            append(escaped(text.at(i)), i);
    }
    m_textPosition.append(text.size());
}

void RoleSpeech::append(const QString &piece, qsizetype textPosition)
{
    m_xml += piece;
    m_textPosition.insert(m_textPosition.size(), piece.size(), textPosition);
}

qsizetype RoleSpeech::textPosition(qsizetype xmlPosition) const
{
    return m_textPosition.at(std::clamp<qsizetype>(xmlPosition, 0, m_textPosition.size() - 1));
}
