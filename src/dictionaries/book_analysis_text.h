#pragma once
// The text that the name finder searches for a book of the library: every
// block of the book in order with the voice markers taken out, the book
// followed by a line break.

#include <QString>
#include <QStringList>

QString bookAnalysisText(const QString &programFolder, const QStringList &books);
