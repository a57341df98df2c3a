#include "ClockTestSupport.h"

#include "engine/clocks/ClockCommands.h"
#include "engine/clocks/ClockHoverText.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/ClockMenu.h"
#include "gui/clocks/ClockWnd.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/clocks/LayeredWindowHelper.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QMenu>
#include <gtest/gtest.h>

using namespace velarin;
using namespace velarin::test;

namespace {

class ClockWndTest : public ::testing::Test {
protected:
    MemorySettingsStore store;
    AppState state;
    int64_t nowUs = MicrosecondsAt(2026, 12, 6, 14, 5, 9);
    SimulatedSystemClock clock { [this] { return nowUs; } };
    FakeClockHost host;
    bool translucent = true;

    std::unique_ptr<CClockWnd> make(const char* position = nullptr)
    {
        if (position != nullptr)
            store.WriteProfileString(keys::kSettings, keys::kDigitalClockPosition, position);
        auto wnd = std::make_unique<CClockWnd>(store, state, clock, host);
        wnd->SetTranslucencyProbe([this] { return translucent; });
        return wnd;
    }
    int get(const char* key, int fallback = -999)
    {
        return store.GetProfileInt(keys::kSettings, key, fallback);
    }
    void set(const char* key, int value) { store.WriteProfileInt(keys::kSettings, key, value); }
    std::string position()
    {
        return store.GetProfileString(keys::kSettings, keys::kDigitalClockPosition, "");
    }
    static std::string face(CClockWnd& wnd)
    {
        const bool digital = wnd.digitalClock->isVisibleTo(&wnd);
        return digital == wnd.analogClock->isVisibleTo(&wnd) ? "?" : digital ? "digital" : "analog";
    }
};

using MenuItems = std::vector<std::pair<std::string, int>>;

// Texts and command ids in menu order; "-" for a separator, id -1 for a submenu.
MenuItems items(const QMenu& menu)
{
    MenuItems result;
    for (QAction* a : menu.actions())
        result.push_back({ a->isSeparator() ? "-" : a->text().toStdString(),
            a->isSeparator() ? 0
                : a->menu()  ? -1
                             : a->data().toInt() });
    return result;
}

bool is(const QMenu& menu, int id, bool (QAction::*what)() const)
{
    QAction* action = FindClockMenuAction(menu, id);
    return action != nullptr && (action->*what)();
}

} // namespace

TEST_F(ClockWndTest, StartsAsStoredAtTheStoredRectangle)
{
    auto wnd = make("10,310,20,120");
    EXPECT_EQ(wnd->geometry(), QRect(10, 20, 300, 100));
    wnd->ShowAtStartup();
    EXPECT_TRUE(wnd->isVisible());
    for (const char* key : { keys::kDigitalClockEnabled, keys::k24HourMode, keys::kLocalTime })
        set(key, 0);
    set(keys::kClockType, 1);
    set(keys::kClockAlwayssOnTop, 1);
    set(keys::kClockEnableSegColor, 0xFF0000);
    auto stored = make();
    stored->ShowAtStartup();
    EXPECT_TRUE(!stored->isVisible() && (stored->windowFlags() & Qt::WindowStaysOnTopHint));
    EXPECT_EQ(face(*stored), "analog");
    // The analog clock starts in local time whatever is stored; the hover text follows it.
    EXPECT_EQ(std::make_tuple(stored->digitalClock->useLocalTime, stored->analogClock->useLocalTime,
                  stored->IsLocalTime()),
        std::make_tuple(0, 1, 1));
    EXPECT_EQ(state.clockActiveSegColor, 0xFF0000u);
}

TEST_F(ClockWndTest, DigitalMenuTextsIdsAndStates)
{
    auto wnd = make();
    auto menu = wnd->BuildContextMenu();
    EXPECT_EQ(items(*menu),
        (MenuItems { { "&Set PC Clock Now", 32774 }, { "Clock settings", -1 },
            { "&Transparency", -1 }, { "-", 0 }, { "&Aalog Clock", 32796 },
            { "&Digital Clock", 32797 }, { "-", 0 }, { "Help Topics...", 57667 }, { "-", 0 },
            { "&Properties", 32787 } }));
    EXPECT_FALSE(is(*menu, cmd::kSetTransparency, &QAction::isEnabled)
        || is(*menu, cmd::kSetPcClockNow, &QAction::isEnabled));
    state.timeReferenceUsable = 1;
    set(keys::kTransparent, 1);
    menu = wnd->BuildContextMenu();
    EXPECT_TRUE(is(*menu, cmd::kSetPcClockNow, &QAction::isEnabled)
        && is(*menu, cmd::kTransparent, &QAction::isChecked)
        && is(*menu, cmd::kSetTransparency, &QAction::isEnabled));
    translucent = false; // e.g. X11 without a compositing manager
    menu = wnd->BuildContextMenu();
    EXPECT_FALSE(is(*menu, cmd::kTransparent, &QAction::isEnabled));
    // The analog clock's menu differs only in its clock settings.
    wnd->OnCommand(cmd::kAnalogClock);
    menu = wnd->BuildContextMenu();
    EXPECT_TRUE(FindClockMenuAction(*menu, cmd::kSetAnalogColor) != nullptr);
    EXPECT_TRUE(is(*menu, cmd::kAnalogClock, &QAction::isChecked));
}

TEST_F(ClockWndTest, ColourPresetsWriteStoreAndGlobals)
{
    auto wnd = make("10,310,20,120");
    // The preset values are the engine's; here: store, shared state and clock, and the window
    // stores its position with them.
    store.WriteProfileString(keys::kSettings, keys::kDigitalClockPosition, "");
    wnd->OnCommand(cmd::kBlue);
    EXPECT_EQ(get(keys::kClockColor), cmd::kBlue);
    EXPECT_EQ(std::vector<uint32_t>({ uint32_t(get(keys::kClockDisableSegColor)),
                  state.clockActiveSegColor, wnd->digitalClock->inactiveColor }),
        std::vector<uint32_t>({ 0x300000, 0xFF0000, 0x300000 }));
    EXPECT_EQ(position(), "10,310,20,120");
    // Colours set elsewhere reach the digital clock within its colour tick.
    state.clockActiveSegColor = 0x123456;
    state.clockInactiveSegColor = 0x010203;
    EXPECT_TRUE(ProcessEventsUntil([&] { return wnd->digitalClock->activeColor == 0x123456u; }));
    EXPECT_EQ(wnd->digitalClock->inactiveColor, 0x010203u);
}

TEST_F(ClockWndTest, TimeAndDisplayCommandsActOnTheClockShown)
{
    auto wnd = make();
    // Local/UTC and 24 hours on the face shown leave the other face in its old mode.
    struct Step {
        int command;
        const char* key;
        int stored, digitalLocal, analogLocal, digital24, analog24;
        const char* face;
    };
    const Step steps[] { { cmd::kUtcTime, keys::kLocalTime, 0, 0, 1, 1, 1, "digital" },
        { cmd::kLocalTime, keys::kLocalTime, 1, 1, 1, 1, 1, "digital" },
        { cmd::k24HourTime, keys::k24HourMode, 0, 1, 1, 0, 1, "digital" },
        { cmd::kAnalogClock, keys::kClockType, 1, 1, 1, 0, 1, "analog" },
        { cmd::k24HourTime, keys::k24HourMode, 0, 1, 1, 0, 0, "analog" },
        { cmd::kUtcTime, keys::kLocalTime, 0, 1, 0, 0, 0, "analog" },
        { cmd::kDigitalClock, keys::kClockType, 0, 1, 0, 0, 0, "digital" } };
    for (const Step& s : steps) {
        EXPECT_TRUE(s.command != cmd::k24HourTime
            || is(*wnd->BuildContextMenu(), cmd::k24HourTime, &QAction::isChecked));
        wnd->OnCommand(s.command);
        SCOPED_TRACE(s.command);
        EXPECT_EQ(get(s.key), s.stored);
        EXPECT_EQ(
            std::vector<int>({ wnd->digitalClock->useLocalTime, wnd->analogClock->useLocalTime,
                wnd->digitalClock->twentyFourHourMode, wnd->analogClock->twentyFourHourMode }),
            std::vector<int>({ s.digitalLocal, s.analogLocal, s.digital24, s.analog24 }));
        EXPECT_EQ(face(*wnd), s.face);
    }
    wnd->resize(400, 100);
    wnd->OnCommand(cmd::kShowDayOfYear);
    EXPECT_EQ(get(keys::kEnableDOY), 1);
    EXPECT_EQ(wnd->digitalClock->thickness, 400 / 95);
}

TEST_F(ClockWndTest, WindowCommands)
{
    auto wnd = make("10,310,20,120");
    wnd->show();
    wnd->OnCommand(cmd::kAlwaysOnTop);
    EXPECT_EQ(get(keys::kClockAlwayssOnTop), 1);
    EXPECT_TRUE((wnd->windowFlags() & Qt::WindowStaysOnTopHint) && wnd->isVisible());
    wnd->OnCommand(cmd::kHide);
    EXPECT_TRUE(!wnd->isVisible() && get(keys::kDigitalClockEnabled) == 0);
    // Chosen in its menu, by a right click or by the menu key; a menu closed chooses nothing.
    const auto entry = [](int id) { return [id](QMenu& m) { return FindClockMenuAction(m, id); }; };
    OpenContextMenu(wnd.get(), entry(cmd::kHelpTopics));
    OpenContextMenu(wnd.get(), entry(cmd::kProperties), QContextMenuEvent::Keyboard);
    OpenContextMenu(wnd.get(), [](QMenu&) { return nullptr; });
    EXPECT_EQ(std::make_pair(host.helpTopics, host.properties), std::make_pair(1, 1));
    // Set PC Clock Now, by menu or double click, only with a usable reference.
    wnd->show();
    wnd->OnCommand(cmd::kSetPcClockNow);
    SendMouse(wnd->digitalClock, QEvent::MouseButtonDblClick, { 50, 50 }, Qt::LeftButton);
    EXPECT_EQ(host.setPcClockNow, 0);
    state.timeReferenceUsable = 1;
    wnd->OnCommand(cmd::kSetPcClockNow);
    SendMouse(wnd->digitalClock, QEvent::MouseButtonDblClick, { 50, 50 }, Qt::LeftButton);
    EXPECT_EQ(host.setPcClockNow, 2);
}

TEST_F(ClockWndTest, TransparentTogglesWindowOpacity)
{
    set(keys::kOpacit, 200);
    auto wnd = make();
    wnd->show();
    wnd->OnCommand(cmd::kTransparent);
    EXPECT_NEAR(wnd->windowOpacity(), 200 / 255.0, 0.01);
    wnd->OnCommand(cmd::kTransparent);
    EXPECT_EQ(get(keys::kTransparent), 0);
    EXPECT_DOUBLE_EQ(wnd->windowOpacity(), 1.0);
    // A stored alpha the dialog never offers must not make the clock vanish.
    set(keys::kOpacit, 0);
    set(keys::kTransparent, 1);
    auto faint = make();
    EXPECT_NEAR(faint->windowOpacity(), 50 / 255.0, 0.01);
    set(keys::kOpacit, 9999);
    faint->ApplyClockTransparency();
    EXPECT_DOUBLE_EQ(faint->windowOpacity(), 1.0);
    // Underneath, no window and no alpha outside a byte are taken; a valid alpha stays in force.
    CLayeredWindowHelper helper(nullptr, 128);
    const std::vector<int> results { helper.EnableLayered(1), helper.Attach(faint.get()),
        helper.SetAlpha(-1), helper.SetAlpha(256), helper.EnableLayered(1) }; // in this order
    EXPECT_EQ(results, (std::vector<int> { 0, 1, 0, 0, 1 }));
    EXPECT_NEAR(faint->windowOpacity(), 128 / 255.0, 0.01);
}

TEST_F(ClockWndTest, DragMovesTheWindowAndStoresItAtRelease)
{
    auto wnd = make("10,310,20,120");
    wnd->show();
    QWidget* face = wnd->digitalClock;
    // Press and release without a move still store the position.
    store.WriteProfileString(keys::kSettings, keys::kDigitalClockPosition, "stale");
    SendMouse(face, QEvent::MouseButtonPress, { 50, 50 }, Qt::LeftButton);
    SendMouse(face, QEvent::MouseButtonRelease, { 50, 50 }, Qt::NoButton);
    EXPECT_EQ(position(), "10,310,20,120");
    SendMouse(face, QEvent::MouseButtonPress, { 50, 50 }, Qt::LeftButton);
    DragTo(face, { 70, 55 }, { 80, 75 });
    EXPECT_EQ(wnd->frameGeometry().topLeft(), QPoint(10, 20));
    // The hover text is left alone while dragging.
    const QString before = wnd->toolTip();
    wnd->RefreshHoverText();
    EXPECT_EQ(wnd->toolTip(), before);
    DragTo(face, { 70, 55 }, { 100, 90 });
    SendMouse(face, QEvent::MouseButtonRelease, { 70, 55 }, Qt::NoButton, Qt::LeftButton,
        QPoint(100, 90));
    EXPECT_EQ(position(), "30,330,35,135");
    wnd->RefreshHoverText();
    EXPECT_EQ(wnd->toolTip().toStdString(), FormatClockHoverText(clock.GetLocal(), true, true));
}

TEST_F(ClockWndTest, ResizeKeepsTheMinimumWidthAndStoresEveryChange)
{
    auto wnd = make("10,310,20,120");
    wnd->show();
    wnd->resize(400, 60);
    EXPECT_EQ(position(), "10,410,20,80");
    wnd->resize(40, 60);
    EXPECT_EQ(wnd->width(), 75);
    // Over an edge the cursor shows the way it resizes (none in the middle, where a press drags);
    // dragging moves that edge, and the left edge stops 75 pixels before the right one.
    using Edge = std::tuple<QPoint, Qt::CursorShape, QPoint, QRect>;
    QWidget* face = wnd->digitalClock;
    for (const auto& [at, cursor, by, after] :
        { Edge { { 150, 50 }, Qt::ArrowCursor, {}, { 10, 20, 300, 100 } },
            Edge { { 1, 50 }, Qt::SizeHorCursor, { 290, 0 }, { 235, 20, 75, 100 } },
            Edge { { 150, 99 }, Qt::SizeVerCursor, { 0, 10 }, { 10, 20, 300, 110 } },
            Edge { { 1, 1 }, Qt::SizeFDiagCursor, { 5, 5 }, { 15, 25, 295, 95 } },
            Edge { { 299, 1 }, Qt::SizeBDiagCursor, { 10, -5 }, { 10, 15, 310, 105 } } }) {
        wnd->setGeometry(10, 20, 300, 100);
        SendMouse(face, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(wnd->cursor().shape(), cursor);
        SendMouse(face, QEvent::MouseButtonPress, at, Qt::LeftButton);
        DragTo(face, at, wnd->mapToGlobal(at + by));
        EXPECT_EQ(wnd->geometry(), after);
        SendMouse(face, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    EXPECT_EQ(position(), "10,320,15,120");
}
