// The sheet itself and the rules its pages share, each checked on every page that has it.
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/PropertySheetFixture.h"

#include <QApplication>

using namespace velarin;
using velarin::testing::GpsSheet;
using velarin::testing::SheetWorld;

TEST(PropertySheet, PagesComeAliveAtTheirFirstDisplayAndStayAlive)
{
    SheetWorld world;
    CVelarinPropertyFrame* frame
        = CVelarinPropertyFrame::ShowProperties(nullptr, world.context, nullptr);
    CVelarinPropertySheet& sheet = frame->Sheet();
    EXPECT_FALSE(sheet.Page(1)->IsInitialised());
    sheet.setCurrentIndex(1);
    EXPECT_TRUE(sheet.Page(1)->HasTimer());
    sheet.setCurrentIndex(3);
    frame->close();
    EXPECT_TRUE(sheet.Page(1)->HasTimer());
    // Opening again shows the same window in the state it was left in.
    EXPECT_EQ(CVelarinPropertyFrame::ShowProperties(frame, world.context, nullptr), frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(sheet.currentIndex(), 3);
    delete frame;
}

TEST(PropertySheet, EachPagesHelpButtonOpensItsContext)
{
    const std::vector<std::array<int, 3>> cases { { 0, 1103, 131190 }, { 1, 1103, 131176 },
        { 2, 1103, 131177 }, { 4, 1103, 131179 }, { 6, 1016, 131182 }, { 7, 1098, 131395 },
        { 8, 1103, 131188 }, { 9, 1103, 131189 } };
    for (const auto& [tab, button, context] : cases) {
        GpsSheet p(tab);
        p.Open();
        ASSERT_NE(p.Get(button), nullptr) << tab;
        p.Get(button)->click();
        EXPECT_EQ(p.host.helpContexts, std::vector<int> { context }) << tab;
    }
    GpsSheet about(5);
    about.Open();
    EXPECT_EQ(about.Get(1103), nullptr);
}

TEST(PropertySheet, BubbleTextsAreRegisteredWhetherOrNotBubblesAreOnAndEventsReachThem)
{
    SheetWorld world;
    world.settings.WriteProfileInt(keys::kSettings, keys::kEnableBubbleTip, 0);
    EXPECT_EQ(CVelarinPropertySheet(world.context).Balloon().enabled, 0);
    GpsSheet p(1);
    EXPECT_EQ(p.sheet.Balloon().enabled, 1);
    p.sheet.Balloon().enabled = 0;
    p.Open();
    EXPECT_EQ(p.BubbleOf(p.Page().Control(1031)),
        "Shows that NMEA sentences are being received on the RS-232 port");
    // Events on the way to its controls reach the balloon (leaving first: the mouse is over a
    // tool now).
    QWidget* status = p.Page().Control(1007);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(status, &leave);
    EXPECT_FALSE(p.sheet.Balloon().Logic().OverTool());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(status, &enter);
    EXPECT_TRUE(p.sheet.Balloon().Logic().OverTool());
}

// Time, GPS status and update pages: offered only with a usable reference and no setting
// running, checked at the next local second; the click loads the next server, then the worker.
TEST(PropertySheet, UpdateNowFollowsTheReferenceAndTheWorker)
{
    for (int tab : { 0, 1, 2 }) {
        SCOPED_TRACE(tab);
        GpsSheet p(tab);
        p.Open();
        QAbstractButton* update = p.Get(1008);
        p.world.state.timeReferenceUsable = 1;
        p.host.busy = true;
        p.world.Advance(1000);
        EXPECT_FALSE(update->isEnabled());
        p.host.busy = false;
        p.world.Advance(1000);
        ASSERT_TRUE(update->isEnabled());
        update->click();
        EXPECT_EQ(p.host.calls,
            (std::vector<std::string> { "LoadCurrentTimeServer", "StartSetTimeThread" }));
    }
}

// A check box takes effect in memory and in the store at the click, both ways.
TEST(PropertySheet, CheckBoxesWriteMemoryAndStoreAtOnce)
{
    using Memory = int (*)(GpsSheet&);
    struct Case {
        int tab, id;
        const char *section, *key;
        Memory memory;
    };
    const Case cases[] {
        { 2, 1059, keys::kSettings, keys::kEnableSetBeep,
            [](GpsSheet& p) { return p.world.state.enableSetBeep.load(); } },
        { 4, 1025, keys::kSettings, keys::kTLGPSGood,
            [](GpsSheet& p) { return p.world.state.tlGpsGood.load(); } },
        { 4, 1094, keys::kSettings, keys::kOnePpsInput,
            [](GpsSheet& p) { return p.world.state.onePpsInput.load(); } },
        { 7, 1097, keys::kIrig, keys::kEnable12HourMode, nullptr },
        { 7, 1101, keys::kIrig, keys::kEnableUTCTime, nullptr },
        { 8, 1071, keys::kNetwork, keys::kUseRandomServer, nullptr },
        { 9, 1028, keys::kSettings, keys::kEnableBubbleTip,
            [](GpsSheet& p) { return p.sheet.Balloon().enabled; } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        GpsSheet p(c.tab);
        p.Open();
        const int before = p.Get(c.id)->isChecked() ? 1 : 0;
        for (int expected : { 1 - before, before }) {
            p.Get(c.id)->click();
            EXPECT_EQ(p.Stored(c.section, c.key), expected);
            EXPECT_EQ(c.memory ? c.memory(p) : expected, expected);
        }
        EXPECT_TRUE(p.host.calls.empty());
    }
}

// Number fields store every change at once, without a range check; the GPS side keeps its
// values in sixteen bits, in memory and in the store alike, and text that is no number reads 0.
TEST(PropertySheet, NumberFieldsStoreEachChangeAsTheProgramKeepsIt)
{
    struct Case {
        int tab, id;
        const char *section, *key;
        int (*memory)(AppState&);
        std::vector<std::pair<QString, int>> typed;
    };
    const std::vector<Case> cases {
        { 2, 1009, keys::kSettings, keys::kTimeUpdateRate,
            [](AppState& s) { return int { s.timeUpdateRate.load() }; },
            { { "70000", 70000 - 65536 }, { "44640", 44640 } } },
        { 4, 1026, keys::kSettings, keys::kTLSats,
            [](AppState& s) { return int { s.tlSats.load() }; }, { { "-3", 65533 } } },
        { 8, 1037, keys::kNetwork, keys::kTimeServerPort,
            [](AppState& s) { return s.timeServerPort.load(); }, { { "3x", 0 } } },
    };
    for (const Case& c : cases) {
        GpsSheet p(c.tab);
        p.Open();
        auto* edit = p.Get<QLineEdit>(c.id);
        edit->setEnabled(true);
        for (const auto& [text, value] : c.typed) {
            SCOPED_TRACE(text.toStdString());
            edit->setText(text);
            EXPECT_EQ(p.Stored(c.section, c.key), value);
            EXPECT_EQ(c.memory(p.world.state), value);
        }
    }
}
