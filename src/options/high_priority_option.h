#pragma once
// The "high priority" option of Speech Cube voices: it is offered only for
// them, needs a restart, and needs the path of the outside speech program.

#include <QString>

class UserDialogs;

bool isSpeechCubeVoice(const QString &description);

// Tells the user the option takes effect after a restart.
void warnPriorityNeedsRestart(UserDialogs &dialogs);

// True when `path` names an existing file.
bool speechProgramFound(const QString &path);
// Tells the user where the speech program usually is, before the file
// dialog asks for it.
void askForSpeechProgram(UserDialogs &dialogs);
// Where that file dialog starts.
QString speechProgramSearchFolder(const QString &programFolder);
