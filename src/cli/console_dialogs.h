#pragma once

#include "cli/cli_command.h"

#include "common/user_dialogs.h"

// The core's messages on standard error. Nobody is there to answer, so a
// question gets the answer that goes on with what was asked on the command
// line without risk: OK, Abort for a full disk, No for "open the folder?",
// the first of several books in an archive.
class ConsoleDialogs : public UserDialogs
{
public:
    DialogAnswer show(const DialogMessage &message) override
    {
        cliErr(message.title + QStringLiteral(": ") + message.text + u'\n');
        switch (message.buttons) {
        case DialogButtons::Ok:
        case DialogButtons::OkCancel: return DialogAnswer::Ok;
        case DialogButtons::AbortRetryIgnore: return DialogAnswer::Abort;
        case DialogButtons::RetryCancel: return DialogAnswer::Cancel;
        case DialogButtons::YesNo:
        case DialogButtons::YesNoCancel: return DialogAnswer::No;
        }
        return DialogAnswer::Cancel;
    }

    // The first, and the user is told which it was.
    int choose(const DialogChoice &choice) override
    {
        if (choice.items.isEmpty())
            return -1;
        cliErr(choice.text + QStringLiteral("\nВзята первая: ") + choice.items.first() + u'\n');
        return 0;
    }
};
