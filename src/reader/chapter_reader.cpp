#include "reader/chapter_reader.h"

#include <algorithm>

namespace {

const QString kCancel = QStringLiteral(".");

bool sameWords(const SpeechStatus &a, const SpeechStatus &b)
{
    return a.inputSentencePosition == b.inputSentencePosition && a.inputSentenceLength == b.inputSentenceLength
           && a.inputWordPosition == b.inputWordPosition && a.inputWordLength == b.inputWordLength;
}

} // namespace

void ChapterReader::start(int voiceIndex, bool fullVolume, const SpokenTextOptions &spoken)
{
    m_spoken = spoken;
    m_voice.speak(kCancel, SVSFlagsAsync | SVSFPurgeBeforeSpeak);
    m_voice.selectVoice(voiceIndex);
    if (fullVolume)
        m_voice.setVolume(100);
    m_reading = true;
    m_paused = false;
}

void ChapterReader::read(const ChapterText &chapter)
{
    if (!m_reading)
        return;
    m_paused = false;
    m_textLength = int(chapter.text.size());
    m_before = m_voice.status();
    m_started = false;
    const QString spoken = spokenText(chapter.text, m_spoken);
    m_alignment = TextAlignment(chapter.text, spoken);
    m_roleSpeech.reset();
    // The purge drops the chapter left behind by Prev or Next.
    const VoiceParams voice = voiceParams(m_voice.voiceIndex());
    if (hasRoleVoices(voice) && !chapter.roles.isEmpty()) {
        QList<RoleStart> roles;
        for (const RoleStart &r : chapter.roles)
            roles.append({m_alignment.rewrittenPosition(r.position), r.role});
        m_roleSpeech.emplace(spoken, roles, voice);
        m_voice.speak(m_roleSpeech->xml(), SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsXML);
        return;
    }
    // Not XML: the chapter is spoken as it stands, stresses aside, so its
    // positions are the view's once the stresses are taken back out.
    m_voice.speak(spoken, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsNotXML);
}

qsizetype ChapterReader::chapterPosition(qsizetype reported) const
{
    const qsizetype spoken = m_roleSpeech ? m_roleSpeech->textPosition(reported) : reported;
    return m_alignment.originalPosition(spoken);
}

void ChapterReader::togglePause()
{
    if (!m_reading)
        return;
    m_paused = !m_paused;
    if (m_paused)
        m_voice.pause();
    else
        m_voice.resume();
}

void ChapterReader::stop()
{
    m_reading = false;
    m_paused = false;
    m_voice.speak(kCancel, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsNotXML);
}

ChapterReader::Progress ChapterReader::poll()
{
    const SpeechStatus status = m_voice.status();
    Progress progress;
    progress.finished = status.runningState == SpeechStatus::Done;
    progress.soundLost = m_voice.soundLost();
    progress.wordsReported = m_voice.reportsWordPositions();
    if (progress.finished)
        progress.failure = m_voice.failure();
    m_started = m_started || progress.finished || !sameWords(status, m_before);
    if (!m_started)
        return progress;
    const qsizetype start = chapterPosition(std::max(0, status.inputWordPosition));
    const qsizetype end = chapterPosition(std::max(0, status.inputWordPosition) + std::max(0, status.inputWordLength));
    progress.wordStart = int(std::clamp<qsizetype>(start, 0, m_textLength));
    progress.wordLength = int(std::clamp<qsizetype>(end - start, 0, m_textLength - progress.wordStart));
    return progress;
}
