#include "gui/frame/MainFrame.h"
#include "engine/AppState.h"
#include "engine/clocks/ClockCommands.h"
#include "engine/frame/HelpContexts.h"
#include "engine/frame/TrayStatus.h"
#include "engine/settings/MemorySettingsStore.h"
#include "gui/clocks/ClockMenu.h"
#include "gui/clocks/ClockTestSupport.h"
#include "gui/clocks/ClockWnd.h"
#include "gui/frame/HelpLauncher.h"
#include "gui/frame/TrayIconImages.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

namespace velarin {
namespace {

// Records what the frame asks of its clock window.
struct FakeClock : DesktopClock {
    bool visible = false;
    bool noTrayMode = false;
    int shows = 0, resets = 0, saves = 0, tips = 0;
    void ShowClock() override { visible = true, ++shows; }
    void HideClock() override { visible = false; }
    bool IsClockVisible() const override { return visible; }
    void ResetClockPosition() override { visible = true, ++resets; }
    void SaveClockPosition() override { ++saves; }
    void RefreshHoverText() override { ++tips; }
    void SetNoTrayMode(bool on) override { noTrayMode = on; }
};

class MainFrameTest : public ::testing::Test {
protected:
    // The frame over a recording clock, or over the real clock window (Window()).
    std::unique_ptr<CMainFrame> MakeFrame(bool realClock = false)
    {
        MainFrameServices services;
        services.systemClock = &systemClock_;
        if (!realClock)
            services.createClock = [this](CMainFrame&) {
                auto clock = std::make_unique<FakeClock>();
                clock_ = clock.get();
                return clock;
            };
        services.trayAvailable = [this] { return trayAvailable_; };
        services.setPcClockNow = [this] { ++clockSettings_; };
        services.openHelp = [this](int context) { helpOpened_.push_back(context); };
        services.isSetTimeBusy = [this] { return busy_; };
        services.createPropertyFrame = createProperties_;
        auto frame = std::make_unique<CMainFrame>(app_, settings_, std::move(services));
        EXPECT_TRUE(frame->Create());
        return frame;
    }

    QAction* Action(CMainFrame& frame, int id)
    {
        return frame.TrayMenu()->findChild<QAction*>(QStringLiteral("cmd%1").arg(id));
    }

    static CClockWnd* Window(CMainFrame&)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* clock = qobject_cast<CClockWnd*>(w))
                return clock;
        return nullptr;
    }

    AppState app_;
    MemorySettingsStore settings_;
    FakeClock* clock_ = nullptr;
    bool trayAvailable_ = true;
    bool busy_ = false;
    int clockSettings_ = 0;
    std::vector<int> helpOpened_;
    std::function<QWidget*(QWidget*)> createProperties_;
    SimulatedSystemClock systemClock_;
};

TEST_F(MainFrameTest, HiddenFrameWithTheTrayMenuWhoseStatesFollowTheLockAndTheClock)
{
    settings_.WriteProfileInt("Settings", "DigitalClockEnabled", 0);
    auto frame = MakeFrame();
    EXPECT_EQ(frame->windowTitle(), "Velarin-Corvasek");
    EXPECT_FALSE(frame->isVisible());
    QStringList items;
    for (QAction* a : frame->TrayMenu()->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text() + ' ' + a->data().toString());
    EXPECT_EQ(items,
        QStringList({ "&Properties... 32770", "&Set PC Clock Now 32774", "-", "Show &Clock 32782",
            "&Reset Clock Position 32788", "-", "&Help Topics... 57667", "-", "&Exit 57665" }));
    EXPECT_FALSE(clock_->visible);
    frame->OnCommand(32774); // not usable: nothing starts
    EXPECT_EQ(clockSettings_, 0);
    app_.timeReferenceUsable = 1;
    clock_->visible = true;
    emit frame->TrayMenu()->aboutToShow();
    EXPECT_TRUE(Action(*frame, 32774)->isEnabled() && Action(*frame, 32782)->isChecked());
    Action(*frame, 32774)->trigger();
    EXPECT_EQ(clockSettings_, 1);
    // Showing or resetting the clock stores that it is on.
    settings_.WriteProfileInt("Settings", "DigitalClockEnabled", 0);
    frame->OnCommand(32782);
    EXPECT_EQ(settings_.GetProfileInt("Settings", "DigitalClockEnabled", 0), 1);
    frame->OnCommand(32788);
    EXPECT_EQ(clock_->resets, 1);
    frame->OnCommand(57667);
    EXPECT_EQ(helpOpened_, std::vector<int>({ 0 }));
}

TEST_F(MainFrameTest, TrayIconFollowsTheStateAndUpdatesOnlyOnChange)
{
    auto frame = MakeFrame();
    ASSERT_TRUE(frame->IsTrayShown());
    app_.noDataFlag = 1;
    const auto shown = [&frame] {
        frame->RefreshTrayState();
        return std::make_pair(frame->TrayIconShown(), frame->TrayIcon()->toolTip());
    };
    EXPECT_EQ(shown(), std::make_pair(137, QStringLiteral("GPS NMEA data not available")));
    EXPECT_TRUE(TrayIconImages::Icon(4711).isNull()); // an id without a picture
    // The same state again sends nothing: a tip changed behind the frame's back stays.
    frame->TrayIcon()->setToolTip("untouched");
    frame->RefreshTrayState();
    EXPECT_EQ(frame->TrayIcon()->toolTip(), "untouched");
    app_.noDataFlag = 0;
    app_.useNetworkTime = 1;
    EXPECT_EQ(shown(),
        std::make_pair(138, QStringLiteral("Velarin - Time referenced to\n Network time")));
}

TEST_F(MainFrameTest, TrayHostLeavingAndComingBack)
{
    settings_.WriteProfileInt("Settings", "DigitalClockEnabled", 0);
    app_.useNetworkTime = 1;
    app_.networkFailure = 1;
    auto frame = MakeFrame();
    frame->RefreshTrayState();
    EXPECT_EQ(frame->TrayIconShown(), 141);
    EXPECT_FALSE(clock_->visible);
    // Gone: the clock carries the menu now; the stored choice is left alone; one notice.
    trayAvailable_ = false;
    frame->RefreshTrayState();
    EXPECT_TRUE(clock_->noTrayMode);
    EXPECT_EQ(settings_.GetProfileInt("Settings", "DigitalClockEnabled", 0), 0);
    ASSERT_NE(frame->findChild<QMessageBox*>(QStringLiteral("noTrayNotice")), nullptr);
    frame->RefreshTrayState();
    EXPECT_EQ(frame->findChildren<QMessageBox*>().size(), 1);
    // Back: the start icon first, then the real state at the same refresh; the clock the user
    // had switched off goes away again.
    trayAvailable_ = true;
    frame->RefreshTrayState();
    EXPECT_EQ(frame->TrayIcon()->toolTip(), "Velarin - Cannot connect to network\ntime server");
    EXPECT_FALSE(clock_->visible || clock_->noTrayMode);
}

TEST_F(MainFrameTest, PropertiesThatFailToOpenAreTriedAgain)
{
    int attempts = 0;
    createProperties_ = [&attempts](QWidget* owner) -> QWidget* {
        return ++attempts == 1 ? nullptr : new QWidget(owner, Qt::Window);
    };
    auto frame = MakeFrame();
    frame->ShowProperties();
    EXPECT_EQ(frame->PropertyFrame(), nullptr);
    frame->ShowProperties();
    EXPECT_NE(frame->PropertyFrame(), nullptr);
}

TEST_F(MainFrameTest, PropertiesComeBackAfterClosingAndExitStoresTheClockPosition)
{
    auto frame = MakeFrame();
    // Properties open once and come back after closing.
    frame->ShowProperties();
    QWidget* properties = frame->PropertyFrame();
    ASSERT_NE(properties, nullptr);
    properties->close();
    frame->OnCommand(32770);
    EXPECT_EQ(frame->PropertyFrame(), properties);
    // An open properties window must not refuse the application's quit (which closes every
    // window first).
    EXPECT_TRUE(properties->close());
    QSignalSpy closed(frame.get(), &CMainFrame::closed);
    frame->OnCommand(57665);
    EXPECT_EQ(std::make_pair(int(closed.count()), clock_->saves), std::make_pair(1, 1));
    frame->RefreshTrayState(); // a late timer tick does not bring the icon back
    EXPECT_FALSE(frame->IsTrayShown());
}

// The real clock window under the frame, which carries the menu when there is no tray.

using ClockWindowAdapterTest = MainFrameTest;

TEST_F(ClockWindowAdapterTest, WithoutTrayTheClockMenuEndsTheProgramAndCannotHide)
{
    settings_.WriteProfileInt("Settings", "DigitalClockEnabled", 0);
    trayAvailable_ = false;
    auto frame = MakeFrame(true);
    ASSERT_NE(Window(*frame), nullptr);
    // No tray at start: the clock shows without storing that it is on.
    EXPECT_TRUE(Window(*frame)->isVisible());
    EXPECT_EQ(settings_.GetProfileInt("Settings", "DigitalClockEnabled", 0), 0);
    QSignalSpy closed(frame.get(), &CMainFrame::closed);
    // Its own entries still act; by the menu key it opens at the clock's corner.
    test::OpenContextMenu(
        Window(*frame), [](QMenu& menu) { return FindClockMenuAction(menu, cmd::kAnalogClock); },
        QContextMenuEvent::Keyboard);
    EXPECT_EQ(settings_.GetProfileInt("Settings", "ClockType", 0), 1);
    test::OpenContextMenu(Window(*frame), [](QMenu& menu) -> QAction* {
        QAction* hide = FindClockMenuAction(menu, cmd::kHide);
        EXPECT_NE(hide, nullptr);
        EXPECT_FALSE(hide && hide->isEnabled());
        EXPECT_EQ(menu.actions().last()->text(), "&Exit");
        return menu.actions().last();
    });
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(ClockWindowAdapterTest, ResetBringsTheClockBackToTheCorner)
{
    settings_.WriteProfileInt("Settings", "DigitalClockEnabled", 0);
    settings_.WriteProfileString("Settings", "DigitalClockPosition", "5000,5300,4000,4100");
    auto frame = MakeFrame(true);
    EXPECT_FALSE(Window(*frame)->isVisible());
    frame->OnCommand(32788);
    EXPECT_TRUE(Window(*frame)->isVisible() && Window(*frame)->geometry() == QRect(0, 0, 300, 100));
    frame->OnCommand(57665);
    EXPECT_EQ(settings_.GetProfileString("Settings", "DigitalClockPosition", ""), "0,300,0,100");
}

// The pictures and help pages the program ships.

class HelpLauncherTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("VELARIN_HELP_DIR", VELARIN_SOURCE_DIR "/res/help"); }
    void TearDown() override { qunsetenv("VELARIN_HELP_DIR"); }
};

// Every context number the program opens lands on a page that exists and on an anchor in it.
TEST_F(HelpLauncherTest, EveryContextHasItsAnchor)
{
    const int opened[]
        = { 0, 131176, 131177, 131178, 131179, 131182, 131188, 131189, 131190, 131215, 131395 };
    for (int context : opened) {
        const QUrl url = HelpLauncher::HelpUrl(context);
        QFile file(url.toLocalFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly))
            << context << " " << url.toString().toStdString();
        const QString page = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(context == 0 || page.contains(QStringLiteral("id=\"%1\"").arg(url.fragment())))
            << context;
    }
    // An unknown number opens the contents rather than nothing.
    EXPECT_TRUE(HelpLauncher::HelpUrl(4711).toLocalFile().endsWith("/index.html"));
}

} // namespace
} // namespace velarin
