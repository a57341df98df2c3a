#pragma once

#include "app/core/ClockSettingCore.h"
#include "app/core/FirstTimeConfigPrompt.h"
#include "app/core/MainFrame.h"
#include "app/core/ProgramPropertySheetHost.h"
#include "gui/ui/PropertySheetContext.h"

#include <memory>

namespace velarin {

class CMainFrame;
class CVelarinApp;

// The main frame of a run with a display: the hidden frame with its tray icon, clock window and
// properties window, and the clock-setting core whose heartbeat drives them.
class GuiMainFrame : public MainFrame {
public:
    GuiMainFrame(
        CVelarinApp& app, SystemClock& clock, ThreadPriority& priority, Connectivity& connectivity);
    ~GuiMainFrame() override;

    // The frame's creation steps, then the timers; false when the frame cannot work.
    bool Create();
    void OnShowPropertiesRequest() override;
    CMainFrame& Frame() { return *frame_; }
    ClockSettingCore& Core() { return core_; }

private:
    ClockSettingCore core_;
    ProgramPropertySheetHost sheetHost_;
    PropertySheetContext sheetContext_;
    std::unique_ptr<CMainFrame> frame_;
};

// The first-time question as the "Velarin Configuration" dialog.
class GuiFirstTimeConfigPrompt : public FirstTimeConfigPrompt {
public:
    std::optional<bool> Ask(bool networkTimePreset) override;
};

// Fills the application's seams for a desktop run: the first-time dialog, the main frame and
// the tray-bar notice. Lives as long as the application object.
class GuiStartup {
public:
    GuiStartup(
        CVelarinApp& app, SystemClock& clock, ThreadPriority& priority, Connectivity& connectivity);

    // The main frame for CVelarinApp; core receives its clock-setting core.
    std::unique_ptr<MainFrame> CreateMainFrame(CVelarinApp& app, ClockSettingCore*& core);

private:
    SystemClock& clock_;
    ThreadPriority& priority_;
    Connectivity& connectivity_;
    GuiFirstTimeConfigPrompt prompt_;
};

} // namespace velarin
