#pragma once
// The dictionary windows' trial voice: the selected voice speaking aloud
// (a silent real-time sink where the machine has no sound device).

#include "app/settings.h"
#include "dictionaries/trial_voice.h"
#include "recording/speech/speech_voice.h"

class SpeechTrialVoice : public TrialVoice
{
public:
    explicit SpeechTrialVoice(const Settings &settings) : m_settings(settings) { }
    void speak(const QString &sapiXml, bool purge) override;
    void stop() override;
    // The speech layer reads "+" after a vowel as its stress.
    QString stressMark() const override { return QStringLiteral("+"); }
    bool autoStress() const override { return m_settings.autoStress; }

private:
    const Settings &m_settings;
    SpeechVoice m_voice;
};
