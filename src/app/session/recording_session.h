#pragma once
// Everything a real recording needs, put together once: the dictionaries,
// the block texts, the espeak-ng voice, the book's file names and encoder
// runs, the encoder process, the clock, the driver and the job. The window
// and the command line each give it their host.

#include "app/settings.h"
#include "app/tag_info.h"
#include "dictionaries/dictionaries.h"
#include "mp3/book_output_files.h"
#include "recording/block_text.h"
#include "recording/project_block_texts.h"
#include "recording/recording_job.h"
#include "recording/speech_recording_voice.h"
#include "recording/system_clock.h"

#include <memory>

class RecordingSession
{
public:
    RecordingSession(Settings &settings, const QString &programFolder, RecordingJobHost &host);

    RecordingDriver &driver() { return m_driver; }
    RecordingJob &job() { return m_job; }
    // The dictionary list, and the dictionaries when the settings use them.
    void reloadDictionaries();

private:
    // The texts of `book` for the voice.
    void prepareBook(const RecordedBook &book);
    // The book's file names and encoder runs, with its own description and
    // chapters: they stay with it while a batch speaks the next book.
    std::shared_ptr<OutputFiles> bookFiles(const RecordedBook &book);
    // The playlist and the one-file book once the book's blocks are encoded.
    bool finishBook(const RecordedBook &book, const RecordingOutcome &outcome, RecordingJobHost &host);

    Settings &m_settings;
    QString m_programFolder;
    Dictionaries m_dictionaries;
    BlockTextSource m_source;
    ProjectBlockTexts m_texts;
    SpeechRecordingVoice m_voice;
    EncoderPool m_encoders;
    SystemRecordingClock m_clock;
    RecordingDriver m_driver;
    RecordingJob m_job;
    bool m_applyingDictionaries = false;
    bool m_reloadPending = false;
};
