#include "recording/speech_trial_voice.h"

void SpeechTrialVoice::speak(const QString &sapiXml, bool purge)
{
    // The voice chosen in the options may change while the editor is open.
    m_voice.selectVoice(m_settings.voiceIndex);
    if (m_settings.fullVolume)
        m_voice.setVolume(100);
    m_voice.speak(sapiXml, SVSFlagsAsync | SVSFIsXML | (purge ? SVSFPurgeBeforeSpeak : 0));
}

void SpeechTrialVoice::stop()
{
    m_voice.speak(QStringLiteral("."), SVSFlagsAsync | SVSFPurgeBeforeSpeak);
}
