#pragma once

#include <QString>

class QWidget;

// Applies a stored placement string (twips) to a top-level window; fewer than
// five fields change nothing, a bad field is skipped.
void applyWindowPlacement(QWidget *window, const QString &placement);

// The window's placement string: normal-state position and size in twips and
// the state (0 normal, 1 minimised, 2 maximised).
QString windowPlacement(const QWidget *window);
