#pragma once
// F1 in a window opens the user guide at the window's own section; the help
// button and menu of the main window open it too.

#include <QString>

class QWidget;

// The section F1 opens for `window` (changed as a window changes pages).
void setHelpAnchor(QWidget *window, const QString &anchor);
QString helpAnchor(const QWidget *window);
// F1 anywhere in `window` opens the guide at its section.
void installHelpKey(QWidget *window, const QString &anchor);
// Opens the guide in the desktop's browser at `anchor`; false when the guide
// is not installed.
bool openUserGuide(const QString &anchor = QString());
