#pragma once
// What the speech benchmarks share: the head of a Russian novel from the
// shared books, and the voice layer speaking a text into a WAV file, timed.

#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/speech/speech_voice.h"

#include <QElapsedTimer>

#include <memory>

// The first `bytes` of the novel, cut at a line end; empty when it is missing.
inline QString novelHead(int bytes)
{
    const auto all = UserFile::readBytes(QStringLiteral(LECTORIUM_SHARED_DATA "/books/txt/anna-karenina.cp1251.txt"));
    if (!all)
        return {};
    QByteArray head = all->left(bytes);
    head.truncate(head.lastIndexOf('\n') + 1);
    return Codec::fromCp1251(head);
}

struct Spoken
{
    double seconds = 1e9;    // wall time
    double soundSeconds = 0; // length of the sound written
};

// `voice` speaking plain `text` into `wav`.
inline Spoken speakIntoWav(SpeechVoice &voice, const QString &text, const QString &wav)
{
    auto file = std::make_shared<WavFileStream>(voice.format());
    file->open(wav);
    voice.setAudioOutputStream(file);
    QElapsedTimer timer;
    timer.start();
    voice.speak(text, SVSFIsNotXML);
    file->close();
    return {timer.nsecsElapsed() / 1e9, double(file->dataBytes()) / voice.format().bytesPerSecond()};
}

// The Russian voice speaking plain `text` into `wav`.
inline Spoken speakIntoWav(const QString &text, const QString &wav)
{
    SpeechVoice voice;
    voice.selectVoice(SpeechVoice::voiceForLanguage(QStringLiteral("ru")));
    return speakIntoWav(voice, text, wav);
}
