#pragma once
// Where an outside program (the encoder, the media tools) is taken from.

#include <QString>

// `name` in the program folder when it is an executable file there (a
// portable install brings its own), else the one on PATH; the bare name
// when neither is found, so the failed start names it.
QString outsideProgram(const QString &programFolder, const QString &name);
