#pragma once

namespace velarin {

class AppState;
class SettingsStore;

// Loads the start-up values into the application-wide state in their fixed order.
// "TimeUpdateRate" and "TLSats" are held in 16 bits: a stored 70000 is held as 4464.
void LoadStartupSettings(SettingsStore& store, AppState& state);

// The clock window's own read of the segment colours at its creation, with its own (green)
// defaults. It replaces the start-up values: this is the read that stays.
void LoadClockWindowSegColors(SettingsStore& store, AppState& state);

} // namespace velarin
