#pragma once
// What the core asks or tells the user. Windows answer with message boxes,
// tests and the command line with scripted answers, so core operations keep
// their exact messages without touching a window.

#include <QString>

enum class DialogIcon { None, Information, Exclamation, Critical, Question };
enum class DialogButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class DialogAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct DialogMessage
{
    QString title;
    QString text; // "\n" marks a line break
    DialogIcon icon = DialogIcon::None;
    DialogButtons buttons = DialogButtons::Ok;
};

class UserDialogs
{
public:
    virtual ~UserDialogs() = default;
    virtual DialogAnswer show(const DialogMessage &message) = 0;
};
