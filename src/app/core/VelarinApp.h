#pragma once

#include "app/core/FirstTimeConfigPrompt.h"
#include "app/core/MainFrame.h"
#include "engine/AppState.h"
#include "engine/frame/SystemLog.h"
#include "engine/gps/SerialPort.h"
#include "platform/SerialDevice.h"
#include "platform/SettingsStore.h"
#include "platform/UserNotifier.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace velarin {

// Shown when the sockets layer cannot start. Linux needs no such step; the text stays for the
// platforms where it can fail.
inline constexpr const char* kSocketsInitFailedText = "Windows sockets initialization failed.";

// The application object: start-up in its fixed order, the settings operations every part of the
// program uses, the application-wide state and the GPS link, and shutdown.
class CVelarinApp {
public:
    CVelarinApp(SettingsStore& settings, UserNotifier& notifier, SerialDevice& serialDevice,
        std::string applicationName);
    ~CVelarinApp();
    CVelarinApp(const CVelarinApp&) = delete;
    CVelarinApp& operator=(const CVelarinApp&) = delete;

    // Seams filled by the program (and by tests). Each has a default that does the headless
    // thing: no other copy, sockets ready, no server, nobody asked, a headless main frame.
    // True when another copy runs and has been told to show its properties: this copy ends.
    std::function<bool()> anotherCopyNotified;
    std::function<bool()> initializeSockets;
    // The current time server at start-up; filled by the time server list.
    std::function<std::string()> loadCurrentTimeServer;
    FirstTimeConfigPrompt* firstTimeConfigPrompt = nullptr;
    // The system log that the set-time worker writes and the system configuration page
    // switches; it outlives the application object.
    SystemLog* systemLog = nullptr;
    MainFrameFactory createMainFrame;
    // The tray-bar notice with the main frame as its parent (it honours its own "do not show").
    std::function<void(MainFrame&)> showTrayBarNotice;

    // The start-up sequence; false ends the program at once (see ExitCode).
    bool InitInstance();
    // Shutdown: the main frame goes first (tray icon, clock position), then the GPS link.
    void ExitInstance();
    // 0 when start-up ended because another copy runs or the run ended normally, else 1.
    int ExitCode() const;

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue);
    bool WriteProfileInt(std::string_view section, std::string_view key, int value);
    std::string GetProfileString(
        std::string_view section, std::string_view key, std::string_view defaultValue);
    bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value);

    // The clock window's own read of the segment colours, made when it is created.
    void LoadClockWindowSegColors();

    SettingsStore& Settings();
    UserNotifier& Notifier();
    AppState& State();
    CSerialPort& SerialPort();
    MainFrame* GetMainFrame();

private:
    void runFirstTimeConfig();

    SettingsStore& settings_;
    UserNotifier& notifier_;
    std::string applicationName_;
    AppState state_;
    CSerialPort serialPort_;
    std::unique_ptr<MainFrame> mainFrame_;
    int exitCode_ = 0;
};

} // namespace velarin
