#pragma once

#include "app/core/FirstTimeConfigPrompt.h"
#include "app/core/MainFrame.h"

#include <QObject>
#include <memory>

namespace velarin {

class CMainFrame;
class CVelarinApp;
class SystemClock;

// The main frame of a run with a display: the hidden frame with its tray icon, clock window and
// properties window.
class GuiMainFrame : public MainFrame {
public:
    explicit GuiMainFrame(std::unique_ptr<CMainFrame> frame);
    ~GuiMainFrame() override;
    void OnShowPropertiesRequest() override;
    CMainFrame& Frame() { return *frame_; }

private:
    std::unique_ptr<CMainFrame> frame_;
};

// The first-time question as the "Velarin Configuration" dialog.
class GuiFirstTimeConfigPrompt : public FirstTimeConfigPrompt {
public:
    std::optional<bool> Ask(bool networkTimePreset) override;
};

// Fills the application's seams for a desktop run: the first-time dialog, the main frame and
// the tray-bar notice. Lives as long as the application object.
class GuiStartup : public QObject {
    Q_OBJECT
public:
    GuiStartup(CVelarinApp& app, SystemClock& clock);

    // The frame once created; null before (or when creation failed).
    CMainFrame* Frame() const { return frame_; }

private:
    std::unique_ptr<MainFrame> createMainFrame(CVelarinApp& app);

    SystemClock& clock_;
    GuiFirstTimeConfigPrompt prompt_;
    CMainFrame* frame_ = nullptr;
};

} // namespace velarin
