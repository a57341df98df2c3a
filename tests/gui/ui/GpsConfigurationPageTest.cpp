#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/GpsPagesFixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

using namespace velarin;
using velarin::testing::GpsSheet;
using velarin::testing::kGpsConfigurationTab;

namespace {

using Page = CVelarinPropertyPage4;

struct GpsConfigurationPage : GpsSheet {
    GpsConfigurationPage()
        : GpsSheet(kGpsConfigurationTab)
    {
    }
    Page& Page4() { return page<Page>(); }
    QAbstractButton* Button(int id) { return qobject_cast<QAbstractButton*>(Page4().Control(id)); }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(Page4().Control(id)); }
    int StoredSetting(const char* key) { return Stored(keys::kSettings, key); }
    std::vector<int> CheckedSources()
    {
        std::vector<int> checked;
        for (int id : { Page::kTimeFromGpgga, Page::kTimeFromGprmc, Page::kTimeFromGpzda })
            if (Button(id)->isChecked())
                checked.push_back(id);
        return checked;
    }
};

} // namespace

TEST(GpsConfigurationPage, FirstDisplayShowsTheValuesInForceAndStoresNothing)
{
    GpsConfigurationPage p;
    p.world.state.useTimrFrom = 1;
    p.world.state.tlGpsGood = 0;
    p.world.state.tlSats = 5;
    p.world.state.onePpsInput = 1;
    p.Show();
    ASSERT_EQ(p.sheet.Page(kGpsConfigurationTab)->Title(), QStringLiteral("GPS Configuration"));

    EXPECT_EQ(p.CheckedSources(), std::vector<int> { Page::kTimeFromGprmc });
    EXPECT_FALSE(p.Button(Page::kLockNeedsQuality)->isChecked());
    EXPECT_EQ(p.Edit(Page::kLockSatellites)->text(), QStringLiteral("5"));
    EXPECT_TRUE(p.Button(Page::kUseOnePps)->isChecked());
    // No delay stored: the page shows the 50 the setting procedure uses, and showing stores
    // nothing.
    EXPECT_EQ(p.Edit(Page::kGpsTimeDelay)->text(), QStringLiteral("50"));
    EXPECT_EQ(p.StoredSetting(keys::kGPSTimeDelay), GpsSheet::kAbsent);
    EXPECT_EQ(p.StoredSetting(keys::kTLSats), GpsSheet::kAbsent);

    const CLedCtrl* led = p.Page4().LogIndicator();
    EXPECT_EQ(led->Colour(), led::kGreen);
    EXPECT_EQ(led->State(), led::kGreyed);
    EXPECT_EQ(led->Size(), led::kLarge);
    EXPECT_EQ(p.Button(Page::kLogNmea)->text(), QStringLiteral("Log NMEA..."));
    EXPECT_FALSE(p.Page4().HasTimer());

    EXPECT_EQ(p.BubbleOf(p.Button(Page::kCommSettings)),
        QStringLiteral("Setup RS-232 communications to GPS receiver"));
    EXPECT_EQ(p.BubbleOf(p.Button(Page::kTimeFromGpzda)),
        QStringLiteral("Use the time from the GPZDA message"));
    EXPECT_EQ(p.BubbleOf(p.Edit(Page::kGpsTimeDelay)),
        QStringLiteral("Fixes the delay the GPS receiver may have due to RS-232 latency"));
    EXPECT_EQ(p.BubbleOf(p.Button(Page::kUseOnePps)),
        QStringLiteral(
            "Uses the 1 Pulse Per Second from the GPS receiver to synchronize the PC clock"));
}

TEST(GpsConfigurationPage, StoredDelayIsShownAndAnUnknownTimeSourceChecksNoRadio)
{
    GpsConfigurationPage p;
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, -250);
    p.world.state.useTimrFrom = 7;
    p.Show();
    EXPECT_EQ(p.Edit(Page::kGpsTimeDelay)->text(), QStringLiteral("-250"));
    EXPECT_EQ(p.StoredSetting(keys::kGPSTimeDelay), -250);
    EXPECT_TRUE(p.CheckedSources().empty());
}

TEST(GpsConfigurationPage, RadiosAndLockQualityWriteMemoryAndStore)
{
    GpsConfigurationPage p;
    p.Show();
    EXPECT_EQ(p.CheckedSources(), std::vector<int> { Page::kTimeFromGpgga });
    const std::vector<std::pair<int, int>> clicks { { Page::kTimeFromGpzda, 2 },
        { Page::kTimeFromGprmc, 1 }, { Page::kTimeFromGpgga, 0 } };
    for (const auto& [radio, source] : clicks) {
        p.Button(radio)->click();
        EXPECT_EQ(p.CheckedSources(), std::vector<int> { radio });
        EXPECT_EQ(p.world.state.useTimrFrom.load(), source);
        EXPECT_EQ(p.StoredSetting(keys::kUseTimrFrom), source);
    }

    EXPECT_TRUE(p.Button(Page::kLockNeedsQuality)->isChecked());
    p.Button(Page::kLockNeedsQuality)->click();
    EXPECT_EQ(p.world.state.tlGpsGood.load(), 0);
    EXPECT_EQ(p.StoredSetting(keys::kTLGPSGood), 0);
    p.Button(Page::kLockNeedsQuality)->click();
    EXPECT_EQ(p.world.state.tlGpsGood.load(), 1);
    EXPECT_EQ(p.StoredSetting(keys::kTLGPSGood), 1);
}

TEST(GpsConfigurationPage, SatelliteCountIsKeptIn16BitsWithoutARangeCheck)
{
    GpsConfigurationPage p;
    p.Show();
    QLineEdit* sats = p.Edit(Page::kLockSatellites);
    sats->clear();
    EXPECT_EQ(p.world.state.tlSats.load(), 0);
    EXPECT_EQ(p.StoredSetting(keys::kTLSats), 0);
    QTest::keyClicks(sats, QStringLiteral("12"));
    EXPECT_EQ(p.world.state.tlSats.load(), 12);
    EXPECT_EQ(p.StoredSetting(keys::kTLSats), 12);
    sats->setText(QStringLiteral("65537"));
    EXPECT_EQ(p.world.state.tlSats.load(), 1);
    EXPECT_EQ(p.StoredSetting(keys::kTLSats), 1);
    sats->setText(QStringLiteral("-3"));
    EXPECT_EQ(p.world.state.tlSats.load(), 65533);
    EXPECT_EQ(p.StoredSetting(keys::kTLSats), 65533);
}

TEST(GpsConfigurationPage, DelayOutsideNineHundredNinetyNineBeepsAndKeepsTheStoredValue)
{
    GpsConfigurationPage p;
    p.Show();
    QLineEdit* delay = p.Edit(Page::kGpsTimeDelay);
    delay->clear();
    std::vector<int> stored;
    for (char c : std::string("1000")) {
        QTest::keyClick(delay, c);
        stored.push_back(p.StoredSetting(keys::kGPSTimeDelay));
    }
    EXPECT_EQ(stored, (std::vector<int> { 1, 10, 100, 100 }));
    EXPECT_EQ(p.host.notifier.Beeps(), std::vector<MessageIcon> { MessageIcon::Exclamation });

    delay->setText(QStringLiteral("-999"));
    EXPECT_EQ(p.StoredSetting(keys::kGPSTimeDelay), -999);
    delay->setText(QStringLiteral("-1000"));
    EXPECT_EQ(p.StoredSetting(keys::kGPSTimeDelay), -999);
    EXPECT_EQ(p.host.notifier.Beeps().size(), 2u);
    // Not a number: 0, stored.
    delay->setText(QStringLiteral("abc"));
    EXPECT_EQ(p.StoredSetting(keys::kGPSTimeDelay), 0);
    delay->setText(QStringLiteral("-"));
    EXPECT_EQ(p.StoredSetting(keys::kGPSTimeDelay), 0);
    EXPECT_EQ(p.host.notifier.Beeps().size(), 2u);
    EXPECT_TRUE(p.host.notifier.Messages().empty());
}

TEST(GpsConfigurationPage, OnePpsChangeStopsARunningSettingFirst)
{
    GpsConfigurationPage p;
    p.Show();
    // Idle: the flag changes without touching the worker.
    p.Button(Page::kUseOnePps)->click();
    EXPECT_EQ(p.world.state.onePpsInput.load(), 1);
    EXPECT_EQ(p.StoredSetting(keys::kOnePpsInput), 1);
    EXPECT_TRUE(p.host.calls.empty());

    // Busy: the worker is stopped while the old choice still stands.
    p.host.busy = true;
    int flagWhenStopped = -1;
    int storedWhenStopped = -1;
    p.host.onStop = [&] {
        flagWhenStopped = p.world.state.onePpsInput.load();
        storedWhenStopped = p.StoredSetting(keys::kOnePpsInput);
    };
    p.Button(Page::kUseOnePps)->click();
    EXPECT_EQ(p.host.calls, std::vector<std::string> { "StopSetTimeThread" });
    EXPECT_EQ(flagWhenStopped, 1);
    EXPECT_EQ(storedWhenStopped, 1);
    EXPECT_EQ(p.world.state.onePpsInput.load(), 0);
    EXPECT_EQ(p.StoredSetting(keys::kOnePpsInput), 0);
}

TEST(GpsConfigurationPage, HelpOpensItsContext)
{
    GpsConfigurationPage p;
    p.Show();
    p.Button(Page::kHelp)->click();
    EXPECT_EQ(p.host.helpContexts, std::vector<int> { 131179 });
}
