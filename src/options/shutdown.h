#pragma once
// Switching the computer off at the end of a job: a thirty-second countdown
// the user can cancel, then a power-off request to the system. A refused
// request is silent.

#include <QString>

#include <functional>

// The countdown's state, one step per second.
class ShutdownCountdown
{
public:
    static constexpr int kSeconds = 30;

    // The label's text for the seconds left: the first text has no space
    // before the number, the later ones do.
    QString text() const;
    // One second passed; true when a beep is due (20, 10 and 3 or fewer
    // seconds left).
    bool tick();
    bool expired() const { return m_counter < 1; }
    int secondsLeft() const { return m_counter; }

private:
    int m_counter = kSeconds;
    bool m_started = false;
};

// Asks the system to power the machine off; true when it accepted.
using PowerOffRequest = std::function<bool()>;

// The system's power-off through its service manager (`systemctl poweroff`,
// which logind allows a local user); false when it refuses or is missing.
bool requestSystemPowerOff();

// `shutdownComputer`: flag 1 means power off. No message either way.
bool shutdownComputer(int flags, const PowerOffRequest &request = requestSystemPowerOff);
