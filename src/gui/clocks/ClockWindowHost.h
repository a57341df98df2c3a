#pragma once

class QWidget;

namespace velarin {

// What the desktop clock window asks of its owner, the main frame. The window keeps its own
// settings and reads TimeReferenceUsable from AppState; these are the commands it passes on.
class ClockWindowHost {
public:
    virtual ~ClockWindowHost() = default;

    // "&Set PC Clock Now" (and a double click), only while the time reference is usable: load
    // the current time server and start the set-time worker (nothing when a run is going on).
    virtual void SetPcClockNow() = 0;
    // "&Properties": open the property sheet, or bring it forward.
    virtual void ShowProperties() = 0;
    // "Help Topics...": open the help contents.
    virtual void ShowHelpTopics() = 0;
    // Owner of the clock's colour and transparency dialogs (the main window); may be null.
    virtual QWidget* DialogOwner() = 0;
};

// The main frame's part in the hover text: once a second (when the displayed second changes) it
// calls CClockWnd::RefreshHoverText, which skips the update while the window is being dragged.

} // namespace velarin
