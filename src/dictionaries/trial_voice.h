#pragma once
// How the dictionary windows try words aloud: the voice layer speaks SAPI XML
// text asynchronously. The main window hands the windows an implementation;
// without one the trial buttons stay disabled.

#include <QString>

class TrialVoice
{
public:
    virtual ~TrialVoice() = default;
    // With `purge` whatever is being spoken is dropped first.
    virtual void speak(const QString &sapiXml, bool purge) = 0;
    virtual void stop() = 0;
    // What, typed right after a vowel of a pronunciation, stresses that
    // vowel for this voice. A voice that knows no such mark gets the "<" of
    // the Speech Cube notation.
    virtual QString stressMark() const { return QStringLiteral("<"); }
    // Whether the recording puts in the automatic stresses for this voice,
    // so a trial says a word as the recording would.
    virtual bool autoStress() const { return false; }
};
