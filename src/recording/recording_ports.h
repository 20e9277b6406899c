#pragma once
// What the recording driver needs from the parts around it. The voice layer,
// the book's texts and names, and the window (or the command line) each
// implement one of these; tests put stand-ins in their place.

#include "common/process_runner.h"
#include "common/user_dialogs.h"
#include "recording/block_fingerprint.h"
#include "recording/recording_progress.h"
#include "recording/speech/markup_kind.h"

#include <QString>

#include <optional>

// The speech voice as the driver uses it for one block at a time.
class RecordingVoice
{
public:
    virtual ~RecordingVoice() = default;
    // Creates (or creates again) the voice selected in the settings.
    virtual void init() = 0;
    // The markup the selected voice takes.
    virtual MarkupKind markupKind() const = 0;
    // Opens the block's WAV file and speaks `text` into it asynchronously
    // (`flags` as the voice knows them: asynchronous, purge, XML or plain).
    // False, and nothing spoken, when the file could not be created.
    virtual bool speakToFile(const QString &wavPath, const QString &text, int flags) = 0;
    // Waits at most `msecs` for the voice to finish; true when it is done.
    virtual bool waitUntilDone(int msecs) = 0;
    // Start and length of the sentence being spoken, in the spoken text.
    virtual int sentencePosition() const = 0;
    virtual int sentenceLength() const = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Drops whatever is queued or being spoken.
    virtual void cancel() = 0;
    // The block is spoken: its sound goes into the WAV file, which is closed.
    // False when the file could not take all of it (a full disk).
    virtual bool finishBlock() = 0;
    // Closes the WAV file without finishing it (the block is abandoned).
    virtual void closeStream() = 0;
    // Why the selected voice cannot speak at all (its speech program is
    // missing), told before a recording starts; empty when it can.
    virtual QString voiceProblem() const { return QString(); }
    // Why the last block broke off (its speech program failed), with the
    // program's own messages; empty when the voice did not fail.
    virtual QString failure() const { return QString(); }
};

// The texts of the book being recorded.
class BlockTexts
{
public:
    virtual ~BlockTexts() = default;
    // The prepared text of block `n` for the voice's markup (`xml`), with or
    // without the pronunciation dictionaries.
    virtual QString text(int n, bool withDictionary, bool xml) = 0;
    // Length of the block with its voice markers removed.
    virtual int rawLength(int n) = 0;
    // Why the last text() with the dictionaries came back empty (they made
    // it grow without end); empty when it went well.
    virtual QString dictionaryFailure() const { return {}; }
    // The last text() as the voice says it, after the dictionaries and the
    // stresses and before the voice markup: what the block's fingerprint is
    // made of. Nothing when the texts cannot tell (or the dictionaries
    // failed); the block then keeps no fingerprint.
    virtual std::optional<QString> lastSpokenText() const { return std::nullopt; }
};

// The files of the book being recorded.
class OutputFiles
{
public:
    virtual ~OutputFiles() = default;
    // The block's WAV file name inside the book's audio folder.
    virtual QString wavFileName(int n) = 0;
    // True when the block's MP3 is already there.
    virtual bool mp3Exists(int n) = 0;
    // The encoder run that turns the block's WAV into its MP3; nothing when
    // the WAV is empty (the speech engine failed).
    virtual std::optional<ProcessRequest> encoderJob(int n) = 0;
    // The encoder writes under a temporary name in the book's folder, so an
    // MP3 under its final name is always whole. This gives block `n`'s MP3
    // its final name once the encoder has ended well; false (and nothing
    // renamed) when it left nothing or an empty file.
    virtual bool keepEncodedMp3(int n) = 0;
    // Removes what a failed or cut-off encoder run left of block `n`, so the
    // block does not count as finished.
    virtual void discardMp3(int n) = 0;
    // What block `n`'s MP3 was made from, as kept when it was encoded;
    // nothing for an MP3 made before fingerprints were kept.
    virtual std::optional<BlockFingerprint> storedFingerprint(int n)
    {
        Q_UNUSED(n);
        return std::nullopt;
    }
    // Keeps what block `n`'s new MP3 was made from.
    virtual void keepFingerprint(int n, const BlockFingerprint &fingerprint)
    {
        Q_UNUSED(n);
        Q_UNUSED(fingerprint);
    }
    // Removes what an interrupted earlier run left in the book's folder
    // (temporary MP3 files); called before a recording starts.
    virtual void removeLeftovers() { }
};

// Time and waiting, so tests can pass days and stalls without waiting.
class RecordingClock
{
public:
    virtual ~RecordingClock() = default;
    // Seconds of the day, 0 to 86400.
    virtual double secondsOfDay() const = 0;
    // Waits while the program stays responsive.
    virtual void pauseFor(int msecs) = 0;
};

// What the driver shows and asks: the main window, or the command line.
class RecordingHost
{
public:
    virtual ~RecordingHost() = default;
    virtual UserDialogs &dialogs() = 0;
    // Where the recording stands, each time something of it changes.
    virtual void showProgress(const RecordingProgress &progress) = 0;
    virtual void showPaused(bool paused) = 0;
    // True while the window is neither minimised nor maximised.
    virtual bool windowIsNormal() const { return true; }
    virtual void processEvents() { }
    // The speech program started at high priority is ended / started again.
    virtual void restartSpeechProgram(bool start) { Q_UNUSED(start); }
};
