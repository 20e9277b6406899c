#include "options/ui/progress_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(QWidget *parent) : QDialog(parent), m_progressBar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    installHelpKey(this, HelpAnchor::progress);
    setWindowTitle(QStringLiteral("Прогресс"));
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progressBar);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    resize(360, 90);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
}

void ProgressWindow::showEvent(QShowEvent *event)
{
    m_cancelled = false;
    QDialog::showEvent(event);
}
