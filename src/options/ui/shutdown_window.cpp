#include "options/ui/shutdown_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ShutdownWindow::ShutdownWindow(PowerOffRequest request, QWidget *parent)
    : QDialog(parent), m_request(std::move(request)), m_countdownLabel(new QLabel(this)),
      m_countdownTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("ShutdownWindow"));
    installHelpKey(this, HelpAnchor::shutdown);
    setWindowTitle(QStringLiteral("Lectorium - Выключение компьютера"));
    m_countdownLabel->setObjectName(QStringLiteral("countdownLabel"));
    m_countdownLabel->setAlignment(Qt::AlignCenter);
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("powerOffNowButton"));
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_countdownLabel);
    layout->addLayout(buttons);

    m_countdownTimer->setObjectName(QStringLiteral("countdownTimer"));
    m_countdownTimer->setInterval(1000);
    connect(m_countdownTimer, &QTimer::timeout, this, &ShutdownWindow::onTick);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_countdownTimer->stop();
        powerOffNow();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    beep();
    m_countdownLabel->setText(m_countdown.text());
    m_countdownTimer->start();
}

void ShutdownWindow::onTick()
{
    if (m_countdown.tick())
        beep();
    m_countdownLabel->setText(m_countdown.text());
    if (m_countdown.expired()) {
        m_countdownTimer->stop();
        powerOffNow();
    }
}

void ShutdownWindow::powerOffNow()
{
    shutdownComputer(1, m_request);
    accept();
}

void ShutdownWindow::beep()
{
    ++m_beeps;
    QApplication::beep();
}

void ShutdownWindow::done(int result)
{
    m_countdownTimer->stop();
    QDialog::done(result);
}
