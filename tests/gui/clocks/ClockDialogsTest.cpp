#include "ClockTestSupport.h"

#include "engine/clocks/ClockCommands.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/AnalogClockColorDlg.h"
#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/ClockColorDlg.h"
#include "gui/clocks/ClockWnd.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/clocks/SetTransparencyDlg.h"
#include "gui/clocks/SystemColors.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

using namespace velarin;
using namespace velarin::test;

namespace {

// Stands in for the colour chooser: remembers what it was offered, answers with a set choice.
struct ScriptedChooser {
    std::optional<ColorRef> answer;
    std::vector<ColorRef> initial;
    std::vector<std::pair<ColorRef, ColorRef>> customAtCall;

    ColorChooser Get()
    {
        return [this](QWidget*, ColorRef start) {
            initial.push_back(start);
            customAtCall.emplace_back(SavedCustomColor(0), SavedCustomColor(1));
            return answer;
        };
    }
};

QPushButton* button(QWidget& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QString::number(id));
}

class ClockDialogs : public ::testing::Test {
protected:
    int64_t nowUs = MicrosecondsAt(2026, 12, 6, 14, 5, 9);
    SimulatedSystemClock clock { [this] { return nowUs; } };
    ScriptedChooser chooser;
    MemorySettingsStore store;
    AppState state;
    FakeClockHost host;
    int stored(const char* key) { return store.GetProfileInt(keys::kSettings, key, -1); }
};
// The clock faces themselves, drawn on the same simulated clock.
using ClockControls = ClockDialogs;

} // namespace

TEST_F(ClockDialogs, SegmentChooserOffersBothCurrentColoursFirstAndPreviews)
{
    CClockColorDlg dialog(clock, nullptr, chooser.Get());
    dialog.activeColor = 0x0000FF;
    dialog.inactiveColor = 0x000030;
    dialog.show();
    EXPECT_EQ(dialog.Preview()->inactiveColor, 0x000030u);

    chooser.answer = 0x00FFFF;
    button(dialog, 1057)->click();
    EXPECT_EQ(chooser.initial.back(), 0x0000FFu);
    EXPECT_EQ(chooser.customAtCall.back(), std::make_pair(0x0000FFu, 0x000030u));
    EXPECT_EQ(dialog.Preview()->activeColor, 0x00FFFFu);

    chooser.answer = 0x101010;
    button(dialog, 1058)->click();
    EXPECT_EQ(dialog.inactiveColor, 0x101010u);

    chooser.answer.reset(); // Cancel in the chooser
    button(dialog, 1057)->click();
    EXPECT_EQ(dialog.activeColor, 0x00FFFFu);
}

TEST_F(ClockDialogs, CustomColorCommandStoresTheDialogsChoice)
{
    CClockWnd wnd(store, state, clock, host);
    wnd.SetColorChooser(chooser.Get());
    chooser.answer = 0x00A0FF;
    int runs = 0;
    wnd.SetDialogRunner([&](QDialog& d) {
        ++runs;
        auto& dialog = dynamic_cast<CClockColorDlg&>(d);
        EXPECT_EQ(dialog.activeColor, 0x00FF00u);
        dialog.show();
        button(dialog, 1057)->click();
        return runs == 1 ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    store.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kGreen);
    wnd.OnCommand(cmd::kCustomColor);
    EXPECT_EQ(stored(keys::kClockEnableSegColor), 0x00A0FF);
    EXPECT_EQ(stored(keys::kClockColor), cmd::kCustomColor);
    // Cancel leaves everything as it was.
    state.clockActiveSegColor = 0x00FF00;
    const size_t writes = store.WriteCount();
    wnd.OnCommand(cmd::kCustomColor);
    EXPECT_EQ(store.WriteCount(), writes);
    EXPECT_EQ(state.clockActiveSegColor, 0x00FF00u);
}

// Each colour button previews its choice.
TEST_F(ClockDialogs, SetColorCommandStoresFourColoursAndTheCheck)
{
    store.WriteProfileInt(keys::kSettings, keys::kClockType, 1);
    CClockWnd wnd(store, state, clock, host);
    wnd.SetColorChooser(chooser.Get());
    chooser.answer = 0x00FFFF;
    wnd.SetDialogRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<CAnalogClockColorDlg&>(d);
        EXPECT_EQ(dialog.useSystemColors, 1);
        dialog.show();
        dialog.findChild<QCheckBox*>(QStringLiteral("1082"))->click();
        for (int id : { 1080, 1078, 1079, 1081 })
            button(dialog, id)->click();
        const CAnalogClockCtrl& preview = *dialog.Preview();
        EXPECT_EQ(std::vector<ColorRef>({ preview.faceColor, preview.textColor, preview.handColor,
                      preview.secondColor }),
            std::vector<ColorRef>(4, 0x00FFFFu));
        button(dialog, 1)->click();
        return dialog.result();
    });
    wnd.OnCommand(cmd::kSetAnalogColor);
    EXPECT_EQ(stored(keys::kAnalogClockUseSystemColors), 0);
    EXPECT_EQ(stored(keys::kAnalogClockSecondColor), 0x00FFFF);
    EXPECT_EQ(wnd.analogClock->secondColor, 0x00FFFFu);
}

TEST_F(ClockDialogs, SetTransparencyCommandStoresOnOkOnly)
{
    store.WriteProfileInt(keys::kSettings, keys::kOpacit, 20);
    store.WriteProfileInt(keys::kSettings, keys::kTransparent, 1);
    CClockWnd wnd(store, state, clock, host);
    bool accept = false;
    wnd.SetDialogRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<CSetTransparencyDlg&>(d);
        dialog.show();
        if (!accept)
            dialog.Slider()->setValue(90);
        return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    wnd.OnCommand(cmd::kSetTransparency);
    EXPECT_EQ(stored(keys::kOpacit), 20);
    accept = true;
    wnd.OnCommand(cmd::kSetTransparency);
    EXPECT_EQ(stored(keys::kOpacit), 50);
    EXPECT_NEAR(wnd.windowOpacity(), 50 / 255.0, 0.01);
}

TEST_F(ClockControls, DigitalPixelsShowLitAndUnlitSegmentsAndColonDots)
{
    nowUs = MicrosecondsAt(2026, 12, 6, 12, 34, 56);
    CDigitalClockCtrl ctrl(clock);
    ctrl.resize(300, 100);
    ctrl.SetThickness(3);
    ctrl.SetSegmentColors(0x00FF00, 0x004000);
    ctrl.Tick();
    const QImage image = ctrl.grab().toImage();
    // The segment geometry is the engine's; here: "1" lit at b, unlit at a; a colon dot;
    // background in the inset; sunken border.
    ExpectPixels(image,
        { { 41, 30, 0x00FF00 }, { 24, 8, 0x004000 }, { 97, 27, 0x00FF00 }, { 3, 50, 0 },
            { 0, 0, GetSystemColor(kColorButtonShadow) } });
}

TEST_F(ClockControls, AnalogHourHandInTwelveAndTwentyFourHourMode)
{
    nowUs = MicrosecondsAt(2026, 12, 6, 3, 0, 0);
    CAnalogClockCtrl ctrl(clock);
    ctrl.resize(190, 190); // s = 1, centre (95, 95)
    ctrl.faceColor = 0xFFFFFF;
    ctrl.textColor = 0x000000;
    ctrl.handColor = 0xFF0000;
    ctrl.secondColor = 0x0000FF;
    ctrl.Tick();
    // Hour hand at 90°, the hub, nothing at 45°, the corner, the 12 o'clock tick at radius 84.
    ExpectPixels(ctrl.grab().toImage(),
        { { 125, 95, 0xFF0000 }, { 95, 95, 0xFF0000 }, { 116, 74, 0xFFFFFF },
            { 1, 1, GetSystemColor(kColorButtonFace) }, { 95, 11, 0 } });
}
