#include "recording/speech_recording_voice.h"

#include "recording/speech/voice_table.h"

void SpeechRecordingVoice::init()
{
    m_voice = std::make_unique<SpeechVoice>();
    if (m_settings.fullVolume)
        m_voice->setVolume(100);
    m_voice->selectVoice(m_settings.voiceIndex);
    m_file = std::make_shared<WavFileStream>(m_voice->format());
    m_memory = m_settings.followEngine ? std::make_shared<SpeechMemoryStream>() : nullptr;
}

MarkupKind SpeechRecordingVoice::markupKind() const
{
    return voiceParams(m_settings.voiceIndex).voiceKind;
}

bool SpeechRecordingVoice::speakToFile(const QString &wavPath, const QString &text, int flags)
{
    if (!m_voice)
        init();
    if (!m_file->open(wavPath))
        return false;
    if (m_memory) {
        m_memory->setData({});
        m_voice->setAudioOutputStream(m_memory);
    } else {
        m_voice->setAudioOutputStream(m_file);
    }
    m_timeline = m_settings.readAlong ? std::make_shared<SpeechTimeline>(m_voice->format().bytesPerSecond()) : nullptr;
    m_voice->setTimeline(m_timeline);
    m_spoken = {text, !(flags & SVSFIsNotXML), !m_voice->reportsWordPositions()};
    m_wavPath = wavPath;
    m_voice->speak(text, flags);
    return true;
}

bool SpeechRecordingVoice::waitUntilDone(int msecs)
{
    return !m_voice || m_voice->waitUntilDone(msecs);
}

int SpeechRecordingVoice::sentencePosition() const
{
    return m_voice ? m_voice->status().inputSentencePosition : 0;
}

int SpeechRecordingVoice::sentenceLength() const
{
    return m_voice ? m_voice->status().inputSentenceLength : 0;
}

void SpeechRecordingVoice::pause()
{
    if (m_voice)
        m_voice->pause();
}

void SpeechRecordingVoice::resume()
{
    if (m_voice)
        m_voice->resume();
}

void SpeechRecordingVoice::cancel()
{
    if (!m_voice)
        return;
    const int kind = markupKind() == MarkupKind::PlainText ? SVSFIsNotXML : SVSFIsXML;
    m_voice->speak(QStringLiteral("."), SVSFlagsAsync | SVSFPurgeBeforeSpeak | kind);
}

bool SpeechRecordingVoice::finishBlock()
{
    if (!m_file)
        return true;
    if (m_memory) {
        m_file->append(m_memory->data());
        m_memory->setData({});
    }
    if (!m_file->close())
        return false;
    // The text follows the sound it was timed by; a block without it still
    // has its sound.
    if (m_timeline)
        writeBlockReadAlong(m_wavPath, m_spoken, *m_timeline, m_settings.readAlongWords);
    m_timeline.reset();
    return true;
}

void SpeechRecordingVoice::closeStream()
{
    if (m_file)
        m_file->close();
}

QString SpeechRecordingVoice::voiceProblem() const
{
    return SpeechVoice::voiceProblem(m_settings.voiceIndex);
}

QString SpeechRecordingVoice::failure() const
{
    return m_voice ? m_voice->failure() : QString();
}
