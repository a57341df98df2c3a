#pragma once

#include "engine/gps/SerialPort.h"
#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"
#include "support/RecordingNotifier.h"

#include <QEnterEvent>

#include <functional>

namespace velarin::testing {

// The sheet's host with the GPS link, the stop of the set-time worker and the user's messages.
class GpsSheetHost : public FakeSheetHost {
public:
    void StopSetTimeThread() override
    {
        calls.push_back("StopSetTimeThread");
        if (onStop)
            onStop();
        busy = false;
    }
    CSerialPort* SerialPort() override { return serialPort; }
    UserNotifier* Notifier() override { return &notifier; }

    CSerialPort* serialPort = nullptr;
    test::RecordingNotifier notifier;
    std::function<void()> onStop;
};

// A sheet over the shared state at one page; Show() opens it, which initialises the page.
struct GpsSheet {
    explicit GpsSheet(int tab)
        : sheet(context)
    {
        sheet.setCurrentIndex(tab);
    }
    void Show() { sheet.show(); }
    template <typename Page> Page& page() const
    {
        return *static_cast<Page*>(sheet.currentWidget());
    }
    // The bubble text registered for a control.
    QString BubbleOf(QWidget* control)
    {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        sheet.Balloon().RelayEvent(control, &enter);
        return sheet.Balloon().Text();
    }
    int Stored(const char* section, const char* key)
    {
        return world.settings.GetProfileInt(section, key, kAbsent);
    }

    static constexpr int kAbsent = -123456;
    SheetWorld world;
    GpsSheetHost host;
    PropertySheetContext context { world.state, world.settings, world.parser, world.clock, host,
        world.timers };
    CVelarinPropertySheet sheet;
};

// Tabs in the sheet.
inline constexpr int kClockUpdateTab = 2;
inline constexpr int kGpsConfigurationTab = 4;

} // namespace velarin::testing
