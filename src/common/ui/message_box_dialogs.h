#pragma once

#include "common/user_dialogs.h"

class QWidget;

// The core's questions as message boxes over a parent window.
class MessageBoxDialogs : public UserDialogs
{
public:
    explicit MessageBoxDialogs(QWidget *parent) : m_parent(parent) { }
    DialogAnswer show(const DialogMessage &message) override;

private:
    QWidget *m_parent;
};
