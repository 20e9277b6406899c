#include "shutdown_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ShutdownWindow::ShutdownWindow(PowerOffRequest request, QWidget *parent)
    : QDialog(parent), m_request(std::move(request)), m_label(new QLabel(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("ShutdownWindow"));
    setWindowTitle(QStringLiteral("Lectorium - Выключение компьютера"));
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addLayout(buttons);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ShutdownWindow::onTick);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_timer->stop();
        Shutdwn();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    beep();
    m_label->setText(m_countdown.text());
    m_timer->start();
}

void ShutdownWindow::onTick()
{
    if (m_countdown.tick())
        beep();
    m_label->setText(m_countdown.text());
    if (m_countdown.expired()) {
        m_timer->stop();
        Shutdwn();
    }
}

void ShutdownWindow::Shutdwn()
{
    ShutdownComputer(1, m_request);
    accept();
}

void ShutdownWindow::beep()
{
    ++m_beeps;
    QApplication::beep();
}

void ShutdownWindow::done(int result)
{
    m_timer->stop();
    QDialog::done(result);
}
