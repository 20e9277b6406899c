#include "progress_window.h"

#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(QWidget *parent) : QDialog(parent), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QStringLiteral("Прогресс"));
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    resize(360, 90);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
}

void ProgressWindow::showEvent(QShowEvent *event)
{
    m_cancelled = false;
    QDialog::showEvent(event);
}
