#pragma once
// The encoder tags the picture it is given as "Other"; players and library
// programs look for the front cover. This marks the pictures of an MP3's
// ID3v2 tag as the front cover, in place.

#include <QString>

// Does nothing to a file without such a tag, or with one whose frames it
// cannot read for certain (unsynchronised, compressed, encrypted).
void markPicturesAsFrontCover(const QString &mp3Path);
