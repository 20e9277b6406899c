#pragma once
// The FFmpeg runs that make a one-file audiobook from the blocks' MP3 files.

#include "common/process_runner.h"

#include <QString>

struct BookFileInputs
{
    QString ffmpeg;
    QString concatList; // concatListText in a file
    QString metadata;   // ffmetadataText in a file
    QString cover;      // empty: no cover
    QString output;     // the book under its temporary name
};

// AAC in an MP4 container of the M4B kind: the blocks one after another,
// the chapters and tags of the metadata file, the cover as attached picture.
ProcessRequest m4bRequest(const BookFileInputs &inputs, int aacKbps);
// The start of every M4B command: the join list's audio, the metadata
// file's chapters and tags, and the cover as attached picture.
QStringList m4bInputArguments(const BookFileInputs &inputs);

// The blocks' MP3 frames joined as they are, under one new length header
// and without tags (the chapter tags are written afterwards).
ProcessRequest joinedMp3Request(const BookFileInputs &inputs);
