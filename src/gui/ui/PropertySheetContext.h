#pragma once

namespace velarin {

class AppState;
class CNmeaParser;
class PropertySheetHost;
class SettingsStore;
class SystemClock;
class WindowTimerFactory;

// Everything the sheet and its pages read or call, handed in by the main frame. The pages only
// read the shared state; they act through the host.
struct PropertySheetContext {
    AppState& state;
    SettingsStore& settings;
    const CNmeaParser& parser;
    SystemClock& clock;
    PropertySheetHost& host;
    WindowTimerFactory& timers;
};

} // namespace velarin
