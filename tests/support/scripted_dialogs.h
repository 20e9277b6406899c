#pragma once

#include "common/user_dialogs.h"

#include <QList>

// Answers the core's questions from a script, in order, and records every
// message shown. When the script runs out, `fallback` answers.
class ScriptedDialogs : public UserDialogs
{
public:
    explicit ScriptedDialogs(QList<DialogAnswer> script = {}, DialogAnswer fallback = DialogAnswer::Ok)
        : m_script(std::move(script)), m_fallback(fallback)
    { }

    DialogAnswer show(const DialogMessage &message) override
    {
        shown.append(message);
        return m_script.isEmpty() ? m_fallback : m_script.takeFirst();
    }

    QList<DialogMessage> shown;

private:
    QList<DialogAnswer> m_script;
    DialogAnswer m_fallback;
};
