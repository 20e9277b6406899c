#pragma once
// The voice markers the add pass writes into block files, each with one
// space before and after; the voice markup turns them into engine markup.

#include <QString>
#include <QStringList>

namespace VoiceMarker {

inline const QString pause = QStringLiteral(" {пауза->} ");
inline const QString narration = QStringLiteral(" {повествование->} ");
inline const QString speech = QStringLiteral(" {речь->} ");
inline const QString speech2 = QStringLiteral(" {речь2->} ");
inline const QString author = QStringLiteral(" {автор->} ");

inline const QStringList all = {narration, author, speech, speech2, pause};

} // namespace VoiceMarker

// The text with every marker standing as written above, whatever blanks an
// outside editor trimmed from around it or added ("Текст. {пауза->}" at a
// line end): a marker is a marker with or without its blanks.
QString normaliseVoiceMarkers(const QString &text);

// The text with every voice marker taken out.
QString removeVoiceMarkers(const QString &text);
