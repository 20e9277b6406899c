#pragma once
// The version the program shows (About box, lectorium-cli --version) and
// writes into the files it makes (MP3 tags, the exception dictionary's
// header): the build's project version, one spelling everywhere.

#include <QString>

// "0.1.0"
QString programVersion();
