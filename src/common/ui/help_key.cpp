#include "common/ui/help_key.h"

#include "common/user_guide.h"

#include <QDesktopServices>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

namespace {

const char *const kAnchorProperty = "helpAnchor";

} // namespace

void setHelpAnchor(QWidget *window, const QString &anchor)
{
    window->setProperty(kAnchorProperty, anchor);
}

QString helpAnchor(const QWidget *window)
{
    return window->property(kAnchorProperty).toString();
}

void installHelpKey(QWidget *window, const QString &anchor)
{
    setHelpAnchor(window, anchor);
    auto *key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setObjectName(QStringLiteral("helpKey"));
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [window] { openUserGuide(helpAnchor(window)); });
}

bool openUserGuide(const QString &anchor)
{
    const QString guide = userGuidePath();
    if (guide.isEmpty())
        return false;
    QUrl url = QUrl::fromLocalFile(guide);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return QDesktopServices::openUrl(url);
}
