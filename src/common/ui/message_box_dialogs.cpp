#include "common/ui/message_box_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <utility>

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

void nameButtonsInRussian(QMessageBox &box)
{
    // Our questions name these buttons in their texts ("нажмите Да"), so they
    // read the same even where Qt's translations are missing.
    static const std::pair<QMessageBox::StandardButton, const char16_t *> captions[] = {
        {QMessageBox::Yes, u"Да"},           {QMessageBox::No, u"Нет"},
        {QMessageBox::Cancel, u"Отмена"},    {QMessageBox::Ok, u"OK"},
        {QMessageBox::Retry, u"Повторить"},  {QMessageBox::Abort, u"Прервать"},
        {QMessageBox::Ignore, u"Пропустить"}};
    for (const auto &[which, caption] : captions) {
        if (QAbstractButton *button = box.button(which))
            button->setText(QString::fromUtf16(caption));
    }
}

DialogAnswer MessageBoxDialogs::show(const DialogMessage &message)
{
    // A window of its own over a disabled parent (the book editor over the
    // main window) owns the box, so the parent does not come to the front.
    QWidget *parent = m_parent;
    if (parent && !parent->isEnabled() && QApplication::activeWindow()
        && QApplication::activeWindow() != parent->window())
        parent = QApplication::activeWindow();
    QMessageBox box(iconOf(message.icon), message.title, message.text, buttonsOf(message.buttons), parent);
    nameButtonsInRussian(box);
    return answerOf(box.exec());
}

int MessageBoxDialogs::choose(const DialogChoice &choice)
{
    bool chosen = false;
    const QString item = QInputDialog::getItem(m_parent, choice.title, choice.text, choice.items, 0, false, &chosen);
    return chosen ? int(choice.items.indexOf(item)) : -1;
}
