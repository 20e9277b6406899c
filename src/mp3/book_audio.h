#pragma once
// The audio files of one book: the WAV and MP3 name of every block and the
// test whether a block's MP3 is already in the book's audio folder.

#include "app/settings.h"
#include "app/tag_info.h"

#include <QString>

struct BookAudio
{
    const Settings &settings;
    QString programFolder;
    QString audioFolder; // output folder + "/" + library name
    QString libraryName; // the book's name in the library
    int blockCount = 0;
    TagInfo &info; // the block fields are set by every name built
    const BlockTitles &titles;
};

// Sets blockTitle, blockNo and blockCount of the book's TagInfo for block `n`.
void fillBlockInfo(BookAudio &book, int n);

// The block's WAV file name, without folder.
QString wavFileName(BookAudio &book, int n);

// The block's MP3 file name for the given duration text, without folder.
QString mp3FileName(BookAudio &book, int n, const QString &duration);

// The name of the block's MP3 in the audio folder (any "MM-SS" duration),
// or empty when there is none, past the last block, or when the folder
// cannot be read.
QString existingMp3Name(BookAudio &book, int n);

// Every file named like the block's MP3, by name: more than one only when a
// run was cut off while a block recorded again replaced its MP3.
QStringList existingMp3Names(BookAudio &book, int n);

// The same as existingMp3Name for the block's AAC file of an M4B book: named
// like its MP3, ending in ".m4a".
QString existingM4aName(BookAudio &book, int n);

// True when a file named like the block's MP3 (any "MM-SS" duration) is in
// the audio folder; false past the last block or when the folder cannot be
// read.
bool mp3Exists(BookAudio &book, int n);
