#pragma once
// A small reader of the ID3v2.3/2.4 text and comment frames at the start of an
// MP3, so tests can check what the encoder wrote without another program.

#include <QMap>
#include <QString>

// Frame id ("TIT2", "TPE1", "COMM", ...) to its text; empty when the file
// has no ID3v2 tag.
QMap<QString, QString> readId3v2Frames(const QString &mp3Path);
