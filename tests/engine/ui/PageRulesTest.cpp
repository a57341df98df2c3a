// The small rules of the property pages: field texts, links, coordinates,
// balloon tips and wrapping tabs.
#include "engine/ui/BalloonTipLogic.h"
#include "engine/ui/CoordinateFormat.h"
#include "engine/ui/DialogFieldInt.h"
#include "engine/ui/FileDialogFilter.h"
#include "engine/ui/GpsConfigurationRules.h"
#include "engine/ui/HyperlinkLayout.h"
#include "engine/ui/PulseSourceText.h"
#include "engine/ui/WrappingTabLayout.h"
#include "platform/SerialDevice.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace velarin {
namespace {

using Texts = std::vector<std::string>;

TEST(PageFields, NumbersSixteenBitSettingsFileFiltersAndPulseSources)
{
    // No range check: the socket layer refuses a port of 70000.
    const std::pair<const char*, int> numbers[] = { { "13", 13 }, { "  1313 ", 1313 }, { "-5", -5 },
        { "+70000", 70000 }, { "2147483647", INT_MAX }, { "-2147483648", INT_MIN } };
    for (auto [text, value] : numbers)
        EXPECT_EQ(DialogFieldInt(text), value) << text;
    for (const char* text : { "", "-", "12a", "a12", "0x10", "2147483648" })
        EXPECT_EQ(DialogFieldInt(text), 0) << text;

    const std::pair<int, int> kept[]
        = { { 65535, 65535 }, { 65536, 0 }, { 70000, 4464 }, { -1, 65535 } };
    for (auto [value, low] : kept)
        EXPECT_EQ(gpsconfig::KeepIn16Bits(value), low) << value;
    EXPECT_EQ(
        std::tuple(gpsconfig::CommPortText(3, ""), gpsconfig::CommPortText(3, "/dev/ttyACM0")),
        std::tuple("3", "/dev/ttyACM0"));
    // File filters: pairs become the toolkit's filters; a description without patterns is dropped.
    EXPECT_EQ(FileDialogNameFilters("NMEA Logs|*.nmea;*.txt|All (*.*)|*.*|Lonely"),
        (Texts { "NMEA Logs (*.nmea *.txt)", "All (*.*)" }));
    EXPECT_EQ((Texts { PulseSourceText("", kLineEventCts), PulseSourceText("", kLineEventDsr),
                  PulseSourceText("", -1), PulseSourceText("/dev/pps0", kLineEventCts) }),
        (Texts { "serial line CTS", "serial line DSR", "none", "kernel PPS /dev/pps0" }));
}

TEST(HyperlinkLayout, FitAndErrorTexts)
{
    // Odd spare pixels go below and to the right; text larger than the control grows it.
    const UiRect control { 100, 50, 300, 70 }; // 200 x 20
    EXPECT_EQ(FitLinkToText(control, 81, 13, LinkTextAlignment::Centre, true),
        (UiRect { 159, 53, 240, 66 }));
    EXPECT_EQ(FitLinkToText(control, 260, 30, LinkTextAlignment::Centre, true),
        (UiRect { 70, 45, 330, 75 }));
    EXPECT_EQ(FitLinkToText(control, 81, 13, LinkTextAlignment::Right, false),
        (UiRect { 219, 50, 300, 63 }));
    EXPECT_EQ(LinkTextColor(true, true, 1, 2, 3), 3u) << "hover wins over visited";
    const std::string prefix = "Unable to open hyperlink:\n\n";
    // The trailing blank is part of the text.
    EXPECT_EQ(HyperlinkErrorMessage(26), prefix + "A sharing violation occurred. ");
    // The lowest integer must not overflow the buffer.
    EXPECT_EQ(HyperlinkErrorMessage(INT_MIN), prefix + "Unknown Error (-2147483648) occurred.");
}

TEST(WrappingTabLayout, RowsWrapJustifyAndPutTheSelectedRowNextToThePage)
{
    struct Case {
        const char* name;
        std::vector<int> widths;
        int selected;
        std::vector<UiRect> tabs;
        int rows;
    };
    const std::vector<Case> cases {
        { "one row keeps natural widths", { 30, 40 }, 0, { { 0, 0, 30, 10 }, { 30, 0, 70, 10 } },
            1 },
        { "wrapped rows fill the width, spare pixels to the first tabs", { 40, 30, 50, 45 }, 3,
            { { 0, 0, 55, 10 }, { 55, 0, 100, 10 }, { 0, 10, 53, 20 }, { 53, 10, 100, 20 } }, 2 },
        { "selecting in the first row rotates it to the bottom", { 40, 30, 50, 45 }, 1,
            { { 0, 10, 55, 20 }, { 55, 10, 100, 20 }, { 0, 0, 53, 10 }, { 53, 0, 100, 10 } }, 2 },
        { "a tab wider than the row stands alone", { 120, 20 }, -1,
            { { 0, 0, 120, 10 }, { 0, 10, 100, 20 } }, 2 },
    };
    for (const Case& c : cases) {
        const WrappingTabLayout layout = WrappingTabLayout::Compute(c.widths, 100, 10, c.selected);
        EXPECT_EQ(layout.tabs, c.tabs) << c.name;
        EXPECT_EQ(layout.rowCount, c.rows) << c.name;
        EXPECT_EQ(layout.height, c.rows * 10) << c.name;
    }
}

TEST(CoordinateFormat, EveryFormatHemisphereAndRounding)
{
    // Latitude or longitude, value, format, text. Minutes that round to sixty carry into the
    // degrees; an unknown format is "ERROR" for latitudes and empty for longitudes.
    const std::tuple<bool, double, int, const char*> cases[] = {
        { true, 47.6062, 0, "N 47° 36.3720" },
        { false, -122.3321, 1, "W 122° 19' 55.560" },
        { true, 1.0 / 60.0 / 60.0, 1, "N 00° 00' 01.002" },
        { true, 47.6062, 2, "N 47.6062000000°" },
        { true, -0.000001, 0, "S 00° 00.0001" },
        { true, 0.99999999, 0, "N 01° 00.0000" },
        { false, -179.99999999, 1, "W 180° 00' 00.000" },
        { true, 47.6062, 5, "ERROR" },
        { false, -122.3321, 5, "" },
    };
    for (auto [latitude, value, format, text] : cases)
        EXPECT_EQ(latitude ? FormatLatitude(value, format) : FormatLongitude(value, format), text);
    // Not below zero: the positive letter; the number itself is never converted to an integer.
    EXPECT_EQ(FormatLatitude(std::numeric_limits<double>::quiet_NaN(), 0).substr(0, 2), "N ");
    EXPECT_EQ(FormatLongitude(-std::numeric_limits<double>::infinity(), 0).substr(0, 2), "W ");
}

using Action = BalloonTipLogic::Action;
using Event = BalloonTipLogic::Event;

const int kButton = 0, kEdit = 0;
const void* const button = &kButton;
const void* const edit = &kEdit;

// Ticks until the first ShowAtCursor; -1 when none within the limit.
int TicksUntilShown(BalloonTipLogic& logic, int limit = 200)
{
    for (int i = 1; i <= limit; ++i)
        if (logic.OnTick() == Action::ShowAtCursor)
            return i;
    return -1;
}

// Showing, key dismissal, replaced and removed tools are driven through the real balloon window
// in the widget tests; these are the rules only the logic sees.
TEST(BalloonTipLogic, ClickDismissesLeavingWhileRestingCancelsAndStrangersShowNothing)
{
    BalloonTipLogic logic;
    logic.AddTool(button, "a");
    logic.RelayEvent(Event::MouseMove, button);
    ASSERT_EQ(TicksUntilShown(logic), 11);
    logic.RelayEvent(Event::ButtonDown, nullptr);
    EXPECT_EQ(logic.OnTick(), Action::Hide);
    // Moving over the balloon itself and other messages change nothing.
    logic.RelayEvent(Event::MouseMove, nullptr, true);
    EXPECT_EQ(logic.RelayEvent(Event::Other, nullptr), Action::None);
    EXPECT_EQ(logic.State(), 4);

    BalloonTipLogic resting;
    resting.AddTool(button, "a");
    resting.RelayEvent(Event::MouseMove, button);
    for (int i = 0; i < 9; ++i)
        resting.OnTick();
    resting.RelayEvent(Event::MouseMove, nullptr);
    EXPECT_EQ(TicksUntilShown(resting, 30), -1);
    resting.RelayEvent(Event::MouseMove, edit);
    EXPECT_EQ(TicksUntilShown(resting, 30), -1);
}

} // namespace
} // namespace velarin
