#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CVelarinPropertyPage2.h"
#include "gui/ui/GpsPagesFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velarin;
using velarin::testing::GpsSheet;
using velarin::testing::kClockUpdateTab;

namespace {

using Page = CVelarinPropertyPage2;

struct ClockUpdatePage : GpsSheet {
    ClockUpdatePage()
        : GpsSheet(kClockUpdateTab)
    {
    }
    Page& Page2() { return page<Page>(); }
    QLineEdit* Interval()
    {
        return qobject_cast<QLineEdit*>(Page2().Control(Page::kUpdateInterval));
    }
    QCheckBox* Beep() { return qobject_cast<QCheckBox*>(Page2().Control(Page::kEnableSetBeep)); }
    QWidget* UpdateNow() { return Page2().Control(Page::kUpdateNow); }
    int StoredRate() { return Stored(keys::kSettings, keys::kTimeUpdateRate); }
};

} // namespace

TEST(ClockUpdatePage, FirstDisplayShowsTheValuesAndStoresNothing)
{
    ClockUpdatePage p;
    p.world.state.timeUpdateRate = 90;
    p.world.state.enableSetBeep = 1;
    EXPECT_EQ(p.StoredRate(), GpsSheet::kAbsent);
    p.Show();
    ASSERT_EQ(p.sheet.Page(kClockUpdateTab)->Title(), QStringLiteral("Update PC Clock"));
    EXPECT_EQ(p.Interval()->text(), QStringLiteral("90"));
    // Showing the value is no change.
    EXPECT_EQ(p.StoredRate(), GpsSheet::kAbsent);
    EXPECT_TRUE(p.Beep()->isHidden());
    EXPECT_TRUE(p.Beep()->isChecked());
    EXPECT_EQ(p.Beep()->text(), QStringLiteral("Enable set beep"));
    EXPECT_TRUE(p.Page2().HasTimer());
    // Two bubbles: the field and the button.
    EXPECT_EQ(p.BubbleOf(p.Interval()), QStringLiteral("PC clock update rate in minutes."));
    EXPECT_EQ(p.BubbleOf(p.UpdateNow()), QStringLiteral("Sets the PC clock now."));
}

TEST(ClockUpdatePage, EveryKeystrokeIsStoredWithoutARangeCheck)
{
    ClockUpdatePage p;
    p.Show();
    p.Interval()->clear();
    EXPECT_EQ(p.StoredRate(), 0);
    EXPECT_EQ(p.world.state.timeUpdateRate.load(), 0);

    std::vector<int> seen;
    for (char c : std::string("1200")) {
        QTest::keyClick(p.Interval(), c);
        seen.push_back(p.StoredRate());
        EXPECT_EQ(p.world.state.timeUpdateRate.load(), seen.back());
    }
    EXPECT_EQ(seen, (std::vector<int> { 1, 12, 120, 1200 }));

    // Kept in 16 bits, in memory and in the store alike.
    p.Interval()->setText(QStringLiteral("70000"));
    EXPECT_EQ(p.world.state.timeUpdateRate.load(), 70000 - 65536);
    EXPECT_EQ(p.StoredRate(), 70000 - 65536);
    p.Interval()->setText(QStringLiteral("-1"));
    EXPECT_EQ(p.StoredRate(), 65535);
    // Text that is no number reads as 0.
    p.Interval()->setText(QStringLiteral("12x"));
    EXPECT_EQ(p.StoredRate(), 0);
    p.Interval()->setText(QStringLiteral("44640"));
    EXPECT_EQ(p.StoredRate(), 44640);
}

TEST(ClockUpdatePage, SetBeepCheckBoxWritesMemoryAndStore)
{
    ClockUpdatePage p;
    p.Show();
    p.Beep()->click();
    EXPECT_EQ(p.world.state.enableSetBeep.load(), 1);
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kEnableSetBeep), 1);
    p.Beep()->click();
    EXPECT_EQ(p.world.state.enableSetBeep.load(), 0);
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kEnableSetBeep), 0);
}

TEST(ClockUpdatePage, UpdateNowFollowsBusyAndUsableOnEachNewLocalSecond)
{
    ClockUpdatePage p;
    p.Show();
    // 22:13:20.000: the first tick sees second 20, which differs from the initial 0.
    p.world.state.timeReferenceUsable = 0;
    p.world.Advance(500);
    EXPECT_FALSE(p.UpdateNow()->isEnabled());

    // Within the same second nothing is re-checked.
    p.world.state.timeReferenceUsable = 1;
    p.world.Advance(400);
    EXPECT_FALSE(p.UpdateNow()->isEnabled());
    p.world.Advance(600);
    EXPECT_TRUE(p.UpdateNow()->isEnabled());

    p.host.busy = true;
    p.world.Advance(1000);
    EXPECT_FALSE(p.UpdateNow()->isEnabled());
    p.host.busy = false;
    p.world.Advance(1000);
    EXPECT_TRUE(p.UpdateNow()->isEnabled());

    // The button: next server, then the worker.
    qobject_cast<QPushButton*>(p.UpdateNow())->click();
    EXPECT_EQ(
        p.host.calls, (std::vector<std::string> { "LoadCurrentTimeServer", "StartSetTimeThread" }));
}

TEST(ClockUpdatePage, HelpOpensItsContext)
{
    ClockUpdatePage p;
    p.Show();
    qobject_cast<QPushButton*>(p.Page2().Control(Page::kHelp))->click();
    EXPECT_EQ(p.host.helpContexts, std::vector<int> { 131177 });
}
