#pragma once

#include "engine/AppState.h"
#include "engine/frame/SystemLog.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/settings/MemorySettingsStore.h"
#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertyPage.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetContext.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/FakeWindowTimers.h"
#include "support/NmeaSentence.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

namespace velarin::testing {

// Records what the sheet asks of the program and answers as the test says.
class FakeSheetHost : public PropertySheetHost {
public:
    explicit FakeSheetHost(SystemLog* log = nullptr)
        : log_(log)
    {
    }
    void LoadCurrentTimeServer() override { calls.push_back("LoadCurrentTimeServer"); }
    void StartSetTimeThread() override { calls.push_back("StartSetTimeThread"); }
    void UseGpsReference() override { calls.push_back("UseGpsReference"); }
    void UseNetworkReference() override { calls.push_back("UseNetworkReference"); }
    bool IsInternetConnected() override { return ++connectionChecks, internetConnected; }
    SystemLog* GetSystemLog() override { return log_; }
    bool IsSetTimeBusy() const override { return busy; }
    void ShowHelp(int context) override { helpContexts.push_back(context); }
    void StopSetTimeThread() override
    {
        calls.push_back("StopSetTimeThread");
        if (onStop)
            onStop();
        busy = false;
    }
    CSerialPort* SerialPort() override { return serialPort; }
    UserNotifier* Notifier() override { return &notifier; }
    CIrigGenerator* IrigGenerator() override { return generator; }

    bool busy = false;
    bool internetConnected = true;
    int connectionChecks = 0;
    std::vector<std::string> calls;
    std::vector<int> helpContexts;
    std::function<void()> onStop;
    CSerialPort* serialPort = nullptr;
    CIrigGenerator* generator = nullptr;
    test::RecordingNotifier notifier;

private:
    SystemLog* log_;
};

// The shared state a sheet reads, on a simulated clock whose true time the test moves.
struct SheetWorld {
    static constexpr int64_t k2023 = 1'700'000'000'000'000; // 2023-11-14 22:13:20 UTC
    static constexpr int kAbsent = -123456;

    explicit SheetWorld(int64_t start = k2023)
        : trueMicroseconds(start)
        , clock([this] { return trueMicroseconds; })
    {
    }
    // Moves true time and the window timers together.
    void Advance(int milliseconds)
    {
        for (int i = 0; i < milliseconds; i += 10) {
            const int step = std::min(10, milliseconds - i);
            trueMicroseconds += step * 1000;
            timers.Advance(step);
        }
    }
    int Stored(const char* section, const char* key)
    {
        return settings.GetProfileInt(section, key, kAbsent);
    }
    std::string StoredText(const char* section, const char* key)
    {
        return settings.GetProfileString(section, key, "<absent>");
    }

    int64_t trueMicroseconds;
    AppState state;
    MemorySettingsStore settings;
    CNmeaParser parser;
    SimulatedSystemClock clock;
    SystemLog log { clock };
    FakeSheetHost host { &log };
    FakeWindowTimers timers;
    PropertySheetContext context { state, settings, parser, clock, host, timers };
};

// The network side's pictures and logs read best on a day of their own.
struct NetworkSheetWorld : SheetWorld {
    static constexpr int64_t k2004 = 1'073'306'096'000'000; // 2004-01-05 12:34:56 UTC
    NetworkSheetWorld()
        : SheetWorld(k2004)
    {
    }
};

// A sheet over a fresh world at one tab; Open() initialises the page as its first display does,
// so the test can set the world up before.
struct GpsSheet {
    explicit GpsSheet(int tab, int64_t start = SheetWorld::k2023)
        : world(start)
        , sheet(context)
    {
        sheet.setCurrentIndex(tab);
    }
    void Open() { Page().EnsureInitialised(); }
    void Show() { sheet.show(); }
    CVelarinPropertyPage& Page() const { return *sheet.Page(sheet.currentIndex()); }
    template <typename T = QAbstractButton> T* Get(int id) const
    {
        return qobject_cast<T*>(Page().Control(id));
    }
    QString Text(int id) const
    {
        auto* line = Get<QLineEdit>(id);
        return line ? line->text() : QStringLiteral("<not an edit>");
    }
    // The bubble text registered for a control.
    QString BubbleOf(QWidget* control)
    {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        sheet.Balloon().RelayEvent(control, &enter);
        return sheet.Balloon().Text();
    }
    int Stored(const char* section, const char* key) { return world.Stored(section, key); }

    static constexpr int kAbsent = SheetWorld::kAbsent;
    SheetWorld world;
    FakeSheetHost& host = world.host;
    PropertySheetContext& context = world.context;
    CVelarinPropertySheet sheet;
};

// The sheet at the tab of one page type, with the page at hand.
template <class P> struct PageUnderTest : GpsSheet {
    explicit PageUnderTest(int64_t start = SheetWorld::k2023)
        : GpsSheet(-1, start)
        , page(*sheet.findChild<P*>())
    {
        sheet.setCurrentIndex(sheet.indexOf(&page));
    }
    P& page;
};

// Tabs in the sheet.
inline constexpr int kClockUpdateTab = 2;
inline constexpr int kGpsConfigurationTab = 4;

// The bytes of one of the receiver captures in tests/data/nmea; empty when it is not there.
inline std::string ReadCapture(const std::string& name)
{
    for (const std::string& file : velarin::test::NmeaCaptureFiles())
        if (file.ends_with("/" + name))
            return velarin::test::ReadFileBytes(file);
    return {};
}

// How many pixels of a picture have exactly this colour.
inline int CountPixels(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    return count;
}

} // namespace velarin::testing
