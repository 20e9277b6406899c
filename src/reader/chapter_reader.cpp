#include "reader/chapter_reader.h"

#include <algorithm>

namespace {

const QString kCancel = QStringLiteral(".");

bool sameWords(const SpeechStatus &a, const SpeechStatus &b)
{
    return a.InputSentencePosition == b.InputSentencePosition && a.InputSentenceLength == b.InputSentenceLength
           && a.InputWordPosition == b.InputWordPosition && a.InputWordLength == b.InputWordLength;
}

} // namespace

void ChapterReader::start(int voiceIndex, bool fullVolume)
{
    m_voice.Speak(kCancel, SVSFlagsAsync | SVSFPurgeBeforeSpeak);
    m_voice.selectVoice(voiceIndex);
    if (fullVolume)
        m_voice.setVolume(100);
    m_reading = true;
    m_paused = false;
}

void ChapterReader::read(const QString &text)
{
    if (!m_reading)
        return;
    m_paused = false;
    m_textLength = int(text.size());
    m_before = m_voice.Status();
    m_started = false;
    // Not XML: the chapter is spoken as it stands, so its positions are the
    // view's. The purge drops the chapter left behind by Prev or Next.
    m_voice.Speak(text, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsNotXML);
}

void ChapterReader::togglePause()
{
    if (!m_reading)
        return;
    m_paused = !m_paused;
    if (m_paused)
        m_voice.Pause();
    else
        m_voice.Resume();
}

void ChapterReader::stop()
{
    m_reading = false;
    m_paused = false;
    m_voice.Speak(kCancel, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsNotXML);
}

ChapterReader::Progress ChapterReader::poll()
{
    const SpeechStatus status = m_voice.Status();
    Progress progress;
    progress.finished = status.RunningState == SpeechStatus::Done;
    progress.soundLost = m_voice.soundLost();
    m_started = m_started || progress.finished || !sameWords(status, m_before);
    if (!m_started)
        return progress;
    progress.wordStart = std::clamp(status.InputWordPosition, 0, m_textLength);
    progress.wordLength = std::clamp(status.InputWordLength, 0, m_textLength - progress.wordStart);
    return progress;
}
