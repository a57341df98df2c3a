#pragma once

namespace velarin {

class SettingsStore;

// A serial device path that never exists: the demo's GPS link points there (for the run only)
// when no simulated receiver runs, so that no real port, which may be the machine's console, is
// ever opened.
inline constexpr const char* kDemoNoReceiverDevice = "/dev/velarin-demo-no-receiver";

// Fills a fresh demo store. A returning user's start (the default) has nothing modal in its way:
// first-time configuration done, tray-bar notice off, time from RMC, and the GPS as the reference
// when a receiver runs (the network otherwise). firstRun leaves the store empty, so the demo starts
// as a newcomer's would.
void PreseedDemoSettings(SettingsStore& settings, bool firstRun, bool haveReceiver);

} // namespace velarin
