#pragma once
// A chapter spoken with a voice of its own for each role, as the recording
// speaks the block: SAPI XML that names the role's voice where the role's
// stretch begins, and the way back from a position the engine reports in
// that XML to the text it was made from, so that the word highlighted is
// still the word heard.

#include "reader/chapter_text.h"
#include "recording/speech/voice_table.h"

#include <QList>
#include <QString>

class RoleSpeech
{
public:
    // `roles` in positions of `text`, in the order they stand.
    RoleSpeech(const QString &text, const QList<RoleStart> &roles, const VoiceParams &voice);

    const QString &xml() const { return m_xml; }
    // The position in the text of a position in the XML: a tag stands at
    // the text it precedes, an entity at the character it stands for.
    qsizetype textPosition(qsizetype xmlPosition) const;

private:
    void append(const QString &piece, qsizetype textPosition);

    QString m_xml;
    QList<qsizetype> m_textPosition; // one per character of m_xml, and one past the end
};
