#pragma once
// What the core asks or tells the user. Windows answer with message boxes,
// tests and the command line with scripted answers, so core operations keep
// their exact messages without touching a window.

#include <QString>
#include <QStringList>

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

// A choice of one among several (the books of an archive).
struct DialogChoice
{
    QString title;
    QString text;
    QStringList items;
};

class UserDialogs
{
public:
    virtual ~UserDialogs() = default;
    virtual DialogAnswer show(const DialogMessage &message) = 0;
    // The index of the chosen item, or -1 when the user cancelled. Where
    // nobody can be asked the first item is taken: that is what this
    // default does.
    virtual int choose(const DialogChoice &choice)
    {
        Q_UNUSED(choice);
        return 0;
    }
};
