#pragma once

#include "options/shutdown.h"

#include <QDialog>

class QLabel;
class QTimer;

// The countdown window "Lectorium - Выключение компьютера": thirty seconds to
// change one's mind, then the power-off request.
class ShutdownWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ShutdownWindow(PowerOffRequest request = requestSystemPowerOff, QWidget *parent = nullptr);

    // `powerOffNow`: requests the power-off now.
    void powerOffNow();
    // For tests: the beeps that sounded so far.
    int beeps() const { return m_beeps; }

protected:
    void done(int result) override;

private:
    void beep();
    void onTick();

    PowerOffRequest m_request;
    ShutdownCountdown m_countdown;
    QLabel *m_countdownLabel;
    QTimer *m_countdownTimer;
    int m_beeps = 0;
};
