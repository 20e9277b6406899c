#include "common/ui/message_box_dialogs.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon iconOf(DialogIcon icon)
{
    switch (icon) {
    case DialogIcon::Information: return QMessageBox::Information;
    case DialogIcon::Exclamation: return QMessageBox::Warning;
    case DialogIcon::Critical: return QMessageBox::Critical;
    case DialogIcon::Question: return QMessageBox::Question;
    case DialogIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(DialogButtons buttons)
{
    switch (buttons) {
    case DialogButtons::Ok: return QMessageBox::Ok;
    case DialogButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case DialogButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case DialogButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case DialogButtons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

DialogAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes: return DialogAnswer::Yes;
    case QMessageBox::No: return DialogAnswer::No;
    case QMessageBox::Retry: return DialogAnswer::Retry;
    case QMessageBox::Ok: return DialogAnswer::Ok;
    case QMessageBox::Abort: return DialogAnswer::Abort;
    case QMessageBox::Ignore: return DialogAnswer::Ignore;
    default: return DialogAnswer::Cancel;
    }
}

} // namespace

DialogAnswer MessageBoxDialogs::show(const DialogMessage &message)
{
    QMessageBox box(iconOf(message.icon), message.title, message.text, buttonsOf(message.buttons), m_parent);
    return answerOf(box.exec());
}
