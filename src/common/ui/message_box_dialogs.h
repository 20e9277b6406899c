#pragma once

#include "common/user_dialogs.h"

class QMessageBox;
class QWidget;

// Gives a box's standard buttons their Russian names.
void nameButtonsInRussian(QMessageBox &box);

// The core's questions as message boxes over a parent window.
class MessageBoxDialogs : public UserDialogs
{
public:
    explicit MessageBoxDialogs(QWidget *parent) : m_parent(parent) { }
    DialogAnswer show(const DialogMessage &message) override;
    int choose(const DialogChoice &choice) override;

private:
    QWidget *m_parent;
};
