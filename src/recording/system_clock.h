#pragma once

#include "recording/recording_ports.h"

// The clock of a real recording: the time of day, and waits that keep the
// event loop running so the window stays alive.
class SystemRecordingClock : public RecordingClock
{
public:
    double secondsOfDay() const override;
    void pauseFor(int msecs) override;
};
