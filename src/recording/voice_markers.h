#pragma once
// The role markers the book editor puts into book text, each with one blank
// before and after.

#include <QString>

namespace VoiceMarkers {
inline const QString narration = QStringLiteral(" {повествование->} ");
inline const QString speech = QStringLiteral(" {речь->} ");
inline const QString speech2 = QStringLiteral(" {речь2->} ");
inline const QString author = QStringLiteral(" {автор->} ");
inline const QString pause = QStringLiteral(" {пауза->} ");

// The text with every marker removed (pause, narration, speech, speech 2,
// author, in this order).
QString removeAll(QString text);
} // namespace VoiceMarkers
