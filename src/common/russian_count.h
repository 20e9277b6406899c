#pragma once

#include <QString>

// "1 байт", "3 байта", "11 байтов": a number with the noun in the form
// Russian asks for after it.
QString russianCount(qint64 n, const QString &one, const QString &few, const QString &many);
