#pragma once
// Stand-ins around the recording driver: a voice that speaks for a number of
// looks (or never, for a stalled engine), texts and names of a small book, an
// encoder made of /bin/sh, a clock the test moves, and a host that keeps what
// it was shown.

#include "recording/recording_driver.h"

#include "support/qstring_printer.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>

#include <cstdio>

class StandInVoice : public RecordingVoice
{
public:
    int looksPerBlock = 2; // waitUntilDone calls before a block is done
    bool stalled = false;  // never finishes, never moves
    MarkupKind kind = MarkupKind::SapiXml;
    QStringList spokenTexts;
    int inits = 0;
    int cancels = 0;
    bool paused = false;
    // The speech with this number (from 1, in the order spoken) and those
    // after it do not end until this is set back to 0.
    int holdFromSpeech = 0;
    bool silent = false; // writes nothing into the WAV, as a failed engine
    // The disk fills up while this block (counted from 1 in the order
    // spoken) is written: its WAV cannot take its end. 0: never.
    int diskFullAtBlock = 0;

    void init() override { ++inits; }
    MarkupKind markupKind() const override { return kind; }
    bool speakToFile(const QString &path, const QString &text, int) override
    {
        if (!QFile(path).open(QIODevice::WriteOnly))
            return false;
        m_path = path;
        spokenTexts.append(text);
        m_looks = 0;
        m_open = true;
        m_done = false;
        write(10);
        return true;
    }
    bool waitUntilDone(int) override
    {
        if (m_done)
            return true;
        if (stalled || paused || !m_open)
            return false;
        if (holdFromSpeech > 0 && spokenTexts.size() >= holdFromSpeech)
            return false;
        if (++m_looks >= looksPerBlock)
            m_done = true;
        else
            write(1000);
        return m_done;
    }
    int sentencePosition() const override { return stalled ? 0 : m_looks * 5; }
    int sentenceLength() const override { return 5; }
    void pause() override { paused = true; }
    void resume() override { paused = false; }
    void cancel() override
    {
        ++cancels;
        m_done = true;
    }
    bool finishBlock() override
    {
        m_open = false;
        if (diskFullAtBlock > 0 && spokenTexts.size() >= diskFullAtBlock)
            return false;
        write(44100);
        return true;
    }
    void closeStream() override { m_open = false; }

private:
    void write(int bytes)
    {
        if (silent)
            bytes = 0;
        QFile f(m_path);
        if (f.open(QIODevice::Append))
            f.write(QByteArray(bytes, 'w'));
    }
    QString m_path;
    int m_looks = 0;
    bool m_open = false;
    bool m_done = true;
};

class StandInTexts : public BlockTexts
{
public:
    QSet<int> emptyBlocks; // block files that are empty or gone
    // Blocks the dictionaries cannot rewrite, with the reason.
    QMap<int, QString> runawayBlocks;

    // The texts tell what each block is spoken from (so the driver keeps
    // fingerprints), and these blocks now say something new.
    bool tellSpokenText = false;
    QSet<int> rewrittenBlocks;

    QString text(int n, bool withDictionary, bool xml) override
    {
        m_failure = withDictionary ? runawayBlocks.value(n) : QString();
        if (!m_failure.isEmpty())
            return {};
        m_spoken = QStringLiteral("Текст блока %1%2%3")
                       .arg(n)
                       .arg(rewrittenBlocks.contains(n) ? QStringLiteral(" новый") : QString(),
                            withDictionary ? QStringLiteral(" словарь") : QString());
        return m_spoken + (xml ? QStringLiteral(" xml") : QString());
    }
    int rawLength(int n) override { return emptyBlocks.contains(n) ? 0 : 10 + n; }
    QString dictionaryFailure() const override { return m_failure; }
    std::optional<QString> lastSpokenText() const override
    {
        return tellSpokenText && m_failure.isEmpty() ? std::optional<QString>(m_spoken) : std::nullopt;
    }

private:
    QString m_failure;
    QString m_spoken;
};

class StandInFiles : public OutputFiles
{
public:
    explicit StandInFiles(QString folder) : m_folder(std::move(folder)) { }
    // The audio folder of the book being recorded.
    void setFolder(const QString &folder) { m_folder = folder; }
    QSet<int> existing; // blocks whose MP3 is already there
    QSet<int> failing;  // blocks the encoder fails on
    double encoderSeconds = 0;
    QString program = QStringLiteral("/bin/sh"); // the encoder
    // A script of its own for a block's encoder: "$0" is the MP3 to write
    // (under its temporary name), "$1" the audio folder.
    QMap<int, QString> scripts;

    QString wavFileName(int n) override { return QStringLiteral("%1.wav").arg(n, 4, 10, QLatin1Char('0')); }
    QString mp3Path(int n) const { return m_folder + QStringLiteral("/%1.mp3").arg(n, 4, 10, QLatin1Char('0')); }
    bool mp3Exists(int n) override { return existing.contains(n) || QFile::exists(mp3Path(n)); }
    std::optional<ProcessRequest> encoderJob(int n) override
    {
        if (QFileInfo(m_folder + u'/' + wavFileName(n)).size() <= 50)
            return std::nullopt;
        // A failing run leaves a short MP3, as an encoder on a full disk does.
        const QString script = scripts.contains(n) ? scripts.value(n)
                               : failing.contains(n)
                                   ? QStringLiteral("printf mp > \"$0\"; exit 1")
                                   : QStringLiteral("sleep %1; printf mp3 > \"$0\"").arg(encoderSeconds);
        ProcessRequest request;
        request.program = program;
        request.arguments = {QStringLiteral("-c"), script, mp3Path(n) + QStringLiteral(".part"), m_folder};
        return request;
    }
    bool mp3Written(int n) const { return QFileInfo(mp3Path(n)).size() > 0; }
    // The encoder has written block `n`, renamed or not yet.
    bool encoded(int n) const { return mp3Written(n) || QFileInfo(mp3Path(n) + QStringLiteral(".part")).size() > 0; }
    bool keepEncodedMp3(int n) override
    {
        const QString part = mp3Path(n) + QStringLiteral(".part");
        // A block recorded again replaces its MP3, as the real files do.
        return QFileInfo(part).size() > 0
               && std::rename(part.toUtf8().constData(), mp3Path(n).toUtf8().constData()) == 0;
    }
    void discardMp3(int n) override { QFile::remove(mp3Path(n) + QStringLiteral(".part")); }
    // What each block's MP3 was made from, as the driver kept it.
    QHash<int, BlockFingerprint> fingerprints;
    std::optional<BlockFingerprint> storedFingerprint(int n) override
    {
        const auto found = fingerprints.constFind(n);
        return found == fingerprints.cend() ? std::nullopt : std::optional<BlockFingerprint>(*found);
    }
    void keepFingerprint(int n, const BlockFingerprint &fingerprint) override { fingerprints.insert(n, fingerprint); }

private:
    QString m_folder;
};

class StandInClock : public RecordingClock
{
public:
    double seconds = 36000;
    int pausedMsecs = 0;
    double secondsOfDay() const override { return seconds; }
    void pauseFor(int msecs) override { pausedMsecs += msecs; }
};

// Keeps what it was shown; `Base` is RecordingHost or a host with more to do.
template <typename Base = RecordingHost> class StandInHostOf : public Base
{
public:
    ScriptedDialogs scripted;
    QMap<int, QString> status;
    QStringList titles;
    QList<RecordingPhase> phases;
    double bookPercent = 0;
    QStringList encodingFiles;
    QList<int> blocks; // each block shown, once, in the order shown
    UserDialogs &dialogs() override { return scripted; }
    // Keeps what the main window would show, panel by panel.
    void showProgress(const RecordingProgress &progress) override
    {
        const ProgressDisplay shown = progressDisplay(progress, true);
        for (int panel = 0; panel < kStatusPanelCount; ++panel)
            if (shown.panels[panel])
                status[panel + 1] = *shown.panels[panel];
        if (shown.bookBar)
            bookPercent = progress.bookPercent;
        if (shown.title)
            titles.append(*shown.title);
        phases.append(progress.phase);
        encodingFiles = progress.encodingFiles;
        if (progress.block > 0 && (blocks.isEmpty() || blocks.last() != progress.block))
            blocks.append(progress.block);
    }
    void showPaused(bool) override { }
};

using StandInHost = StandInHostOf<>;
