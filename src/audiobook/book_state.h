#pragma once
// How far a book of the library has come: its blocks recorded of all, the
// sound they hold against the length the whole book will have, the kind of
// audiobook it is made into, its cover and where its audio goes. The main
// window's library shows it under each book's name and reads it again as a
// recording goes on.

#include "app/settings.h"
#include "import/speaking_rate.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

struct BookState
{
    QString book;
    int blockCount = 0;
    int recordedBlocks = 0;     // blocks whose MP3 is in the audio folder
    double recordedSeconds = 0; // the sound of those MP3s
    // The whole book: the recorded blocks as recorded, the others as the
    // learnt speaking rate foresees them.
    double estimatedSeconds = 0;
    AudiobookFormat format = AudiobookFormat::BlockMp3;
    QString bookFile; // the one-file book when it is there
    QString coverPath;
    QString audioFolder;
};

class BookStateReader
{
public:
    // `wavBytesPerSecond`: of the voice's WAV files; the estimate uses the
    // settings' learnt coefficient as it stands at each reading.
    BookStateReader(const Settings &settings, QString programFolder, int wavBytesPerSecond);

    BookState read(const QString &book);
    // The texts of the books may have changed (a book added again): their
    // lengths are read afresh.
    void forgetTexts() { m_blockCharacters.clear(); }

private:
    QList<int> blockCharacters(const QString &book);
    double mp3Seconds(const QString &path);

    const Settings &m_settings;
    QString m_programFolder;
    int m_wavBytesPerSecond = 0;
    // A block's text does not change while it is recorded; an MP3 is read
    // again only when it changed.
    QHash<QString, QList<int>> m_blockCharacters;
    struct KnownLength
    {
        QDateTime modified;
        qint64 size = 0;
        double seconds = 0;
    };
    QHash<QString, KnownLength> m_mp3Seconds;
};

// "3 из 12 блоков · 00:12:30 из ~01:40:00 · M4B": the second line of a
// library entry.
QString bookStateLine(const BookState &state);
// The entry's tooltip: the audio folder and the state in words.
QString bookStateToolTip(const BookState &state);
