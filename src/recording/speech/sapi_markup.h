#pragma once
// The SAPI XML that the voice markup writes (silence, rate, pitch, voice and
// the character entities) taken apart into pieces of plain text and silence,
// each text piece with the rate, pitch and voice it is spoken with. Every character of a
// piece remembers where it stood in the marked-up text, so the positions the
// synthesiser reports can be given back in the text the caller passed.

#include <QList>
#include <QString>

struct SpeechPiece
{
    enum Kind { Text, Silence };
    Kind kind = Text;
    QString text;
    // sourcePos[i]: position of text[i] in the marked-up text; one more
    // entry gives the position just after the piece.
    QList<int> sourcePos;
    int rate = 0;  // -10..10
    int pitch = 0; // -10..10
    int msec = 0;  // length of a silence
    // The voice a role's stretch asks for by its role voice name
    // (<voice required="Name=..."/>); empty: the voice that was told to speak.
    QString voice;
};

// Pieces of SAPI XML. Tags other than silence, rate, pitch and voice are skipped;
// a '<' that opens no tag is text.
QList<SpeechPiece> parseSapiXml(const QString &xml);
// Plain text is one piece, spoken as it stands.
QList<SpeechPiece> plainTextPieces(const QString &text);
