#pragma once
// Text for a speech program whose front end knows only plain ASCII
// punctuation (Festival's Russian voice gives up on a whole stretch at the
// first guillemet, dash, ellipsis or unknown sign, and writes an empty WAV).
// Typographic quotes, dashes and the ellipsis become their plain forms, the
// signs a Russian reader says as words (№, §, %, °) become the words, Latin
// letters lose their accents, and any other sign becomes a blank. Letters,
// digits and the "+" of stress marks stay as they are.

#include <QString>

QString plainPunctuation(const QString &text);
