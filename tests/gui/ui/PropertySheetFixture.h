#pragma once

#include "engine/AppState.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/settings/MemorySettingsStore.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetContext.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/FakeWindowTimers.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>

#include <string>
#include <vector>

namespace velarin::testing {

// Records what the sheet asks of the program.
class FakeSheetHost : public PropertySheetHost {
public:
    void LoadCurrentTimeServer() override { calls.push_back("LoadCurrentTimeServer"); }
    void StartSetTimeThread() override { calls.push_back("StartSetTimeThread"); }
    bool IsSetTimeBusy() const override { return busy; }
    void ShowHelp(int context) override { helpContexts.push_back(context); }

    bool busy = false;
    std::vector<std::string> calls;
    std::vector<int> helpContexts;
};

// The shared state a sheet reads, on a simulated clock whose true time the test moves.
struct SheetWorld {
    SheetWorld()
        : clock([this] { return trueMicroseconds; })
    {
    }

    int64_t trueMicroseconds = 1'700'000'000'000'000; // 2023-11-14 22:13:20 UTC
    AppState state;
    MemorySettingsStore settings;
    CNmeaParser parser;
    SimulatedSystemClock clock;
    FakeSheetHost host;
    FakeWindowTimers timers;
    PropertySheetContext context { state, settings, parser, clock, host, timers };

    // Moves true time and the window timers together.
    void Advance(int milliseconds)
    {
        for (int i = 0; i < milliseconds; i += 10) {
            const int step = std::min(10, milliseconds - i);
            trueMicroseconds += step * 1000;
            timers.Advance(step);
        }
    }
};

inline QString TextOf(QWidget* edit)
{
    auto* line = qobject_cast<QLineEdit*>(edit);
    return line ? line->text() : QStringLiteral("<not an edit>");
}

// A sheet on a fresh world with one of its pages initialised, as its first display would.
template <class Page> struct PageUnderTest {
    PageUnderTest()
        : sheet(world.context)
        , page(*sheet.findChild<Page*>())
    {
        page.EnsureInitialised();
    }
    QString Text(int id) const { return TextOf(page.Control(id)); }

    SheetWorld world;
    CVelarinPropertySheet sheet;
    Page& page;
};

// The bytes of one of the receiver captures in tests/data/nmea; empty when it is not there.
inline std::string ReadCapture(const std::string& name)
{
    for (const std::string& file : velarin::test::NmeaCaptureFiles())
        if (file.ends_with("/" + name))
            return velarin::test::ReadFileBytes(file);
    return {};
}

} // namespace velarin::testing
