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
    // The book's description and chapters, and its file names, for `book`.
    void prepareBook(const RecordedBook &book);
    // The playlist and the one-file book once the book's blocks are encoded.
    bool finishBook(const RecordedBook &book, const RecordingOutcome &outcome, RecordingJobHost &host);

    Settings &m_settings;
    QString m_programFolder;
    Dictionaries m_dictionaries;
    BlockTextSource m_source;
    ProjectBlockTexts m_texts;
    SpeechRecordingVoice m_voice;
    TagInfo m_info;
    BlockTitles m_titles;
    // Forwards to the files of the book being recorded.
    class CurrentBookFiles : public OutputFiles
    {
    public:
        std::unique_ptr<BookOutputFiles> files;
        QString wavFileName(int n) override { return files->wavFileName(n); }
        bool mp3Exists(int n) override { return files->mp3Exists(n); }
        std::optional<ProcessRequest> encoderJob(int n) override { return files->encoderJob(n); }
        bool keepEncodedMp3(int n) override { return files->keepEncodedMp3(n); }
        void removeLeftovers() override { files->removeLeftovers(); }
        void discardMp3(int n) override { files->discardMp3(n); }
    } m_files;
    EncoderPool m_encoders;
    SystemRecordingClock m_clock;
    TimeEstimate m_estimate;
    RecordingDriver m_driver;
    RecordingJob m_job;
    bool m_applyingDictionaries = false;
    bool m_reloadPending = false;
};
