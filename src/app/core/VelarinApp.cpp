#include "app/core/VelarinApp.h"

#include "app/core/HeadlessMainFrame.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/settings/StartupSettings.h"

namespace velarin {

CVelarinApp::CVelarinApp(SettingsStore& settings, UserNotifier& notifier,
    SerialDevice& serialDevice, std::string applicationName)
    : anotherCopyNotified([] { return false; })
    , initializeSockets([] { return true; })
    , loadCurrentTimeServer([] { return std::string(); })
    , createMainFrame([](CVelarinApp&) { return std::make_unique<HeadlessMainFrame>(); })
    , showTrayBarNotice([](MainFrame&) {})
    , settings_(settings)
    , notifier_(notifier)
    , applicationName_(std::move(applicationName))
    , serialPort_(serialDevice, notifier, applicationName_)
{
    serialPort_.SetSettingsStore(&settings_);
}

CVelarinApp::~CVelarinApp()
{
    mainFrame_.reset();
}

bool CVelarinApp::InitInstance()
{
    exitCode_ = 0;
    if (anotherCopyNotified())
        return false;

    if (!initializeSockets()) {
        // A box without an icon of its own gets the exclamation mark.
        notifier_.ShowMessage(kSocketsInitFailedText, applicationName_, MessageIcon::Exclamation);
        exitCode_ = 1;
        return false;
    }

    // The store was selected when it was handed to us; the recent-file list has nothing to load.
    LoadStartupSettings(settings_, state_);
    state_.SetCurrentTimeServer(loadCurrentTimeServer());
    runFirstTimeConfig();

    mainFrame_ = createMainFrame(*this);
    if (!mainFrame_) {
        exitCode_ = 1;
        return false;
    }

    if (state_.useNetworkTime == 0) {
        // The result is not examined: a failed open has told the user, and the program runs on
        // with the link closed (the tray then reports that no NMEA data arrives).
        serialPort_.Open(GetProfileInt(keys::kSerial, keys::kPort, keys::kPortDefault),
            GetProfileInt(keys::kSerial, keys::kBaud, keys::kBaudDefault), 0, 8, 0);
    }

    showTrayBarNotice(*mainFrame_);
    return true;
}

void CVelarinApp::runFirstTimeConfig()
{
    if (GetProfileInt(keys::kSettings, keys::kFirstTimeConfig, keys::kFirstTimeConfigDefault) != 1)
        return;
    // Without a prompt (a headless run) nobody can confirm: nothing is written and the question
    // comes again at the next start with a display.
    if (firstTimeConfigPrompt == nullptr)
        return;
    const std::optional<bool> useNetwork = firstTimeConfigPrompt->Ask(state_.useNetworkTime == 1);
    if (!useNetwork)
        return;
    state_.useNetworkTime = *useNetwork ? 1 : 0;
    WriteProfileInt(keys::kSettings, keys::kUseNetworkTime, state_.useNetworkTime);
    WriteProfileInt(keys::kSettings, keys::kFirstTimeConfig, 0);
}

void CVelarinApp::ExitInstance()
{
    mainFrame_.reset();
    // The link's handle is closed without Close's pause: nothing will open it again.
    if (serialPort_.IsOpen())
        serialPort_.Device().Close();
    serialPort_.CloseCaptureFile();
}

int CVelarinApp::ExitCode() const
{
    return exitCode_;
}

int CVelarinApp::GetProfileInt(std::string_view section, std::string_view key, int defaultValue)
{
    return settings_.GetProfileInt(section, key, defaultValue);
}

bool CVelarinApp::WriteProfileInt(std::string_view section, std::string_view key, int value)
{
    return settings_.WriteProfileInt(section, key, value);
}

std::string CVelarinApp::GetProfileString(
    std::string_view section, std::string_view key, std::string_view defaultValue)
{
    return settings_.GetProfileString(section, key, defaultValue);
}

bool CVelarinApp::WriteProfileString(
    std::string_view section, std::string_view key, std::string_view value)
{
    return settings_.WriteProfileString(section, key, value);
}

void CVelarinApp::LoadClockWindowSegColors()
{
    velarin::LoadClockWindowSegColors(settings_, state_);
}

SettingsStore& CVelarinApp::Settings()
{
    return settings_;
}

UserNotifier& CVelarinApp::Notifier()
{
    return notifier_;
}

AppState& CVelarinApp::State()
{
    return state_;
}

CSerialPort& CVelarinApp::SerialPort()
{
    return serialPort_;
}

MainFrame* CVelarinApp::GetMainFrame()
{
    return mainFrame_.get();
}

} // namespace velarin
