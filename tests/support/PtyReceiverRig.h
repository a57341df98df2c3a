#pragma once

#include "app/core/ClockSettingCore.h"
#include "app/core/VelarinApp.h"
#include "engine/settings/MemorySettingsStore.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/FakeConnectivity.h"
#include "support/FakeThreadPriority.h"
#include "support/PtyPair.h"
#include "support/RecordingNotifier.h"

namespace velarin::test {

// The whole GPS path on a pseudo-terminal: the program opens the slave as its receiver, the
// core (heartbeat, decoder, set-time worker) runs on a simulated clock.
struct PtyReceiverRig {
    explicit PtyReceiverRig(int baud)
    {
        app.SerialPort().SetDeviceOverride(pty.SlavePath());
        opened = pty.IsValid() && app.SerialPort().Open(1, baud, 0, 8, 0) == 0;
        core.Start();
    }

    PtyPair pty;
    MemorySettingsStore settings;
    RecordingNotifier notifier;
    LinuxSerialDevice serial;
    CVelarinApp app { settings, notifier, serial, "velarin-test" };
    SimulatedSystemClock clock;
    FakeThreadPriority priority;
    FakeConnectivity connectivity;
    ClockSettingCore core { app, clock, priority, connectivity };
    bool opened = false;
};

} // namespace velarin::test
