#include "engine/clocks/ClockCommands.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/ClockColorDlg.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/ui/CVelarinPropertyPage9.h"
#include "gui/ui/PropertySheetFixture.h"
#include "gui/ui/TimeAndIrigTestSupport.h"
#include "gui/ui/UiDrawing.h"

#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTest>

using namespace velarin;
using velarin::testing::PageUnderTest;

namespace {

int Stored(PageUnderTest<CVelarinPropertyPage9>& t, const char* key, int defaultValue = -1)
{
    return t.world.settings.GetProfileInt(keys::kSettings, key, defaultValue);
}

} // namespace

TEST(TimePage, ShowsALiveUtcClockInTheDesktopColoursWithTheStoredChoiceSelected)
{
    PageUnderTest<CVelarinPropertyPage9> t;
    CDigitalClockCtrl* clock = t.page.UtcClock();
    ASSERT_EQ(t.page.Control(1042), clock);
    EXPECT_EQ(clock->thickness, 7);
    EXPECT_EQ(clock->useLocalTime, 0);
    EXPECT_TRUE(clock->IsTicking());
    EXPECT_EQ(clock->activeColor, t.world.state.clockActiveSegColor.load());
    EXPECT_EQ(clock->inactiveColor, t.world.state.clockInactiveSegColor.load());
    const QStringList items { "Blue", "Green", "Red", "Custom" };
    QStringList shown;
    for (int i = 0; i < t.page.ColorList()->count(); ++i)
        shown << t.page.ColorList()->itemText(i);
    EXPECT_EQ(shown, items);
    // Nothing stored: the default is the custom colour. Nothing written by showing it.
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 3);
    EXPECT_EQ(Stored(t, keys::kClockColor), -1);
    EXPECT_TRUE(t.page.HasTimer());
}

TEST(TimePage, TheListFollowsClockColorOnlyForTheFourColourCommands)
{
    const std::vector<std::pair<int, int>> cases { { cmd::kBlue, 0 }, { cmd::kGreen, 1 },
        { cmd::kRed, 2 }, { cmd::kCustomColor, 3 }, { 32781, -1 }, { 0, -1 } };
    for (const auto& [command, index] : cases) {
        PageUnderTest<CVelarinPropertyPage9> t;
        t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, command);
        t.world.Advance(1000);
        EXPECT_EQ(t.page.ColorList()->currentIndex(), index) << command;
    }
}

TEST(TimePage, APresetSetsTheDesktopColoursTheStoreAndTheClock)
{
    struct Case {
        int index;
        int command;
        uint32_t active;
        uint32_t inactive;
    };
    const std::vector<Case> cases { { 0, cmd::kBlue, 0xFF0000, 0x300000 },
        { 1, cmd::kGreen, 0x00FF00, 0x003000 }, { 2, cmd::kRed, 0x0000FF, 0x000030 } };
    for (const Case& c : cases) {
        PageUnderTest<CVelarinPropertyPage9> t;
        t.page.ColorList()->setCurrentIndex(c.index);
        t.page.OnColorListChanged(c.index);
        EXPECT_EQ(t.world.state.clockActiveSegColor.load(), c.active);
        EXPECT_EQ(t.world.state.clockInactiveSegColor.load(), c.inactive);
        EXPECT_EQ(Stored(t, keys::kClockColor), c.command);
        EXPECT_EQ(Stored(t, keys::kClockEnableSegColor), static_cast<int>(c.active));
        EXPECT_EQ(Stored(t, keys::kClockDisableSegColor), static_cast<int>(c.inactive));
        EXPECT_EQ(t.page.UtcClock()->activeColor, c.active);
        EXPECT_EQ(t.page.UtcClock()->inactiveColor, c.inactive);
        // Painted: lit segments in the active colour, unlit ones in the inactive colour.
        t.page.UtcClock()->Tick();
        const QImage picture = t.page.UtcClock()->grab().toImage();
        EXPECT_GT(velarin::testing::CountPixels(picture, FromColorRef(c.active).rgb()), 0)
            << c.index;
        EXPECT_GT(velarin::testing::CountPixels(picture, FromColorRef(c.inactive).rgb()), 0)
            << c.index;
    }
}

TEST(TimePage, CustomTakesTheDialogsColoursOnOkAndKeepsThemOnCancel)
{
    PageUnderTest<CVelarinPropertyPage9> t;
    t.world.state.clockActiveSegColor = 0x112233;
    t.world.state.clockInactiveSegColor = 0x010203;
    t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kGreen);
    std::vector<std::pair<uint32_t, uint32_t>> offered;
    t.page.SetDialogRunner([&offered](QDialog& dialog) {
        auto& colours = dynamic_cast<CClockColorDlg&>(dialog);
        offered.emplace_back(colours.activeColor, colours.inactiveColor);
        return static_cast<int>(QDialog::Rejected);
    });
    t.page.OnColorListChanged(3);
    ASSERT_EQ(offered.size(), 1U);
    EXPECT_EQ(offered[0], std::make_pair(0x112233U, 0x010203U));
    // Cancelled: both colour keys written unchanged, the choice left as it was.
    EXPECT_EQ(Stored(t, keys::kClockColor), cmd::kGreen);
    EXPECT_EQ(Stored(t, keys::kClockEnableSegColor), 0x112233);
    EXPECT_EQ(Stored(t, keys::kClockDisableSegColor), 0x010203);

    t.page.SetDialogRunner([](QDialog& dialog) {
        auto& colours = dynamic_cast<CClockColorDlg&>(dialog);
        colours.activeColor = 0x00A5FF;
        colours.inactiveColor = 0x002040;
        return static_cast<int>(QDialog::Accepted);
    });
    t.page.OnColorListChanged(3);
    EXPECT_EQ(Stored(t, keys::kClockColor), cmd::kCustomColor);
    EXPECT_EQ(Stored(t, keys::kClockEnableSegColor), 0x00A5FF);
    EXPECT_EQ(Stored(t, keys::kClockDisableSegColor), 0x002040);
    EXPECT_EQ(t.world.state.clockActiveSegColor.load(), 0x00A5FFU);
    EXPECT_EQ(t.page.UtcClock()->inactiveColor, 0x002040U);
}

TEST(TimePage, AColourChosenElsewhereShowsWithinASecondUnlessTheListHasTheFocus)
{
    PageUnderTest<CVelarinPropertyPage9> t;
    t.sheet.show();
    t.sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.sheet));

    // The desktop clock's menu changes the colours and the choice.
    t.world.state.clockActiveSegColor = 0x0000FF;
    t.world.state.clockInactiveSegColor = 0x000030;
    t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kRed);
    t.world.Advance(100);
    EXPECT_EQ(t.page.UtcClock()->activeColor, 0x0000FFU);
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 3);
    t.world.Advance(900);
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 2);

    t.page.ColorList()->setFocus();
    ASSERT_TRUE(t.page.ColorList()->hasFocus());
    t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kBlue);
    t.world.Advance(2000);
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 2);
    t.page.ColorList()->clearFocus();
    t.world.Advance(1000);
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 0);
}

TEST(TimePage, UpdateNowIsOfferedOnlyWithAUsableReferenceAndNoSettingRunning)
{
    PageUnderTest<CVelarinPropertyPage9> t;
    auto* update = qobject_cast<QPushButton*>(t.page.Control(1008));
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->text(), QStringLiteral("Update PC Clock Now"));
    EXPECT_FALSE(update->isEnabled());
    t.world.state.timeReferenceUsable = 1;
    t.world.Advance(100);
    EXPECT_TRUE(update->isEnabled());
    t.world.host.busy = true;
    t.world.Advance(100);
    EXPECT_FALSE(update->isEnabled());
    t.world.host.busy = false;
    t.world.Advance(100);
    update->click();
    EXPECT_EQ(t.world.host.calls,
        (std::vector<std::string> { "LoadCurrentTimeServer", "StartSetTimeThread" }));
    qobject_cast<QPushButton*>(t.page.Control(1103))->click();
    EXPECT_EQ(t.world.host.helpContexts, std::vector<int> { 131190 });
}
