// The GPS signal quality, update, position and GPS configuration pages and their options.
#include "engine/gps/SerialPort.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/ui/CoordinateFormat.h"
#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CPPSSettingsDlg.h"
#include "gui/ui/CSignalBarCtrl.h"
#include "gui/ui/CSkyViewCtrl.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertyPage2.h"
#include "gui/ui/CVelarinPropertyPage3.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/PropertySheetFixture.h"
#include "support/ModalDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

using namespace velarin;
using velarin::test::WhenModal;
using velarin::testing::GpsSheet;
using velarin::testing::PageUnderTest;
using velarin::testing::ReadCapture;

TEST(GpsStatusPage, ShowsTimesAndStatesOnceASecond)
{
    PageUnderTest<CVelarinPropertyPage1> s;
    s.Open();
    // Local time: the simulated clock runs at true time, 22:13:20 UTC plus two hours.
    s.world.clock.SetLocalOffsetMinutes(120);
    s.world.Advance(50);
    EXPECT_EQ(s.Text(1002), QStringLiteral("00:13:20"));
    EXPECT_EQ(s.Text(1004), QStringLiteral("UNLOCKED"));

    s.world.parser.ProcessBytes(velarin::test::NmeaSentence(
        "GPGGA,213121.000,4404.1295864,N,12118.8685453,W,2,07,1.2,1102.5,M,,M,,"));
    s.world.state.timeReferenceUsable = 1;
    s.world.Advance(50);
    EXPECT_EQ(s.Text(1001), QStringLiteral("21:31:21"));
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1004), QStringLiteral("LOCKED"));
    s.host.busy = true;
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1007), QStringLiteral("Seting PC Clock.."));
}

TEST(GpsStatusPage, BarsAndResetFollowTheSatellitesInViewFromACapture)
{
    const std::string capture = ReadCapture("skytraq-dgps.log");
    if (capture.empty())
        GTEST_SKIP() << "receiver captures not found";
    PageUnderTest<CVelarinPropertyPage1> s;
    s.Open();
    s.world.Advance(50);
    CSignalBarCtrl& bars = *s.page.SignalBars();

    s.world.parser.ProcessBytes(capture);
    s.world.Advance(50);
    const GsvData& gsv = s.world.parser.GetGsv();
    ASSERT_GT(gsv.inView, 12);
    EXPECT_EQ(bars.count, gsv.inView);
    // Every satellite in view has its bar, not only the first twelve.
    EXPECT_EQ(bars.entries[12].snr, gsv.satellites[12].snr);

    bars.resize(200, 100);
    (void)bars.grab();
    EXPECT_NE(bars.Scale().maximumSeen, -999);
    s.Get(1033)->click();
    EXPECT_EQ(bars.Scale().maximumSeen, -999);
}

TEST(PositionPage, ShowsThePositionAndSkyOnceASecondInTheChosenFormat)
{
    const std::string capture = ReadCapture("skytraq-dgps.log");
    if (capture.empty())
        GTEST_SKIP() << "receiver captures not found";
    PageUnderTest<CVelarinPropertyPage3> p;
    p.Open();
    p.world.parser.SetAcceptAllTalkers(false); // its GPS satellites alone
    p.world.parser.ProcessBytes(capture);
    p.world.Advance(1000);
    EXPECT_TRUE(p.Text(1003).startsWith(QStringLiteral("N 44° 04.")));
    EXPECT_TRUE(p.Text(1005).startsWith(QStringLiteral("W 121° 18.")));
    EXPECT_EQ(p.Text(1006).toStdString(), FormatAltitude(p.world.parser.GetGga().altitude, 1));

    const auto& sky = p.page.SkyView()->Satellites();
    EXPECT_EQ(sky[1].azimuth, p.world.parser.GetGsv().satellites[1].azimuth);
    // A change in the store shows at the next tick; an unknown format reads "ERROR".
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kPositionFormat, 5);
    p.world.Advance(1000);
    EXPECT_EQ(p.Text(1003), QStringLiteral("ERROR"));
    // With the GPRMC time source the altitude is always 0.
    p.world.state.useTimrFrom = 1;
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kPositionFormat, 2);
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kUnits, 0);
    p.world.Advance(1000);
    EXPECT_EQ(p.Text(1006), QStringLiteral("0.00     m       "));
    EXPECT_EQ(p.Text(1003).toStdString(), FormatLatitude(p.world.parser.GetRmc().latitude, 2));
    // No satellites in view: every slot is cleared.
    p.world.parser.ProcessBytes("$GPGSV,1,1,00*79\r\n");
    p.world.Advance(1000);
    for (const auto& s : sky)
        EXPECT_EQ(s.prn, 0);
}

// Then each radio writes memory and store.
TEST(GpsConfigurationPage, FirstDisplayShowsTheValuesInForceAndTimeSourceRadiosWriteThem)
{
    using Page = CVelarinPropertyPage4;
    const std::vector<std::pair<int, int>> clicks { { Page::kTimeFromGpzda, 2 },
        { Page::kTimeFromGprmc, 1 }, { Page::kTimeFromGpgga, 0 } };
    for (int source : { 0, 1, 7 }) {
        PageUnderTest<Page> p;
        p.world.state.useTimrFrom = source;
        if (source == 7)
            p.world.settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, -250);
        p.Open();
        // An unknown time source checks no radio.
        EXPECT_EQ(std::pair(p.Get(Page::kTimeFromGpgga)->isChecked(),
                      p.Get(Page::kTimeFromGprmc)->isChecked()),
            std::pair(source == 0, source == 1));
        // No delay stored: the page shows the 50 the setting procedure uses.
        EXPECT_EQ(p.Text(Page::kGpsTimeDelay), source == 7 ? "-250" : "50");
        for (const auto& [radio, clicked] : clicks) {
            p.Get(radio)->click();
            EXPECT_EQ(std::pair(p.world.state.useTimrFrom.load(),
                          p.Stored(keys::kSettings, keys::kUseTimrFrom)),
                std::pair(clicked, clicked));
        }
    }
}

TEST(GpsConfigurationPage, DelayOutsideNineHundredNinetyNineBeepsAndKeepsTheStoredValue)
{
    PageUnderTest<CVelarinPropertyPage4> p;
    p.Open();
    auto* delay = p.Get<QLineEdit>(CVelarinPropertyPage4::kGpsTimeDelay);
    delay->clear();
    std::vector<int> stored;
    for (char c : std::string("1000")) {
        QTest::keyClick(delay, c);
        stored.push_back(p.Stored(keys::kSettings, keys::kGPSTimeDelay));
    }
    EXPECT_EQ(stored, (std::vector<int> { 1, 10, 100, 100 }));
    // Then -999 is kept, -1000 beeps, and text that is no number stores 0.
    for (const auto& [text, value] : std::vector<std::pair<QString, int>> {
             { "-999", -999 }, { "-1000", -999 }, { "abc", 0 } }) {
        delay->setText(text);
        EXPECT_EQ(p.Stored(keys::kSettings, keys::kGPSTimeDelay), value) << text.toStdString();
    }
    EXPECT_EQ(p.host.notifier.Beeps().size(), 2u);
}

TEST(GpsConfigurationPage, OnePpsChangeStopsARunningSettingFirst)
{
    PageUnderTest<CVelarinPropertyPage4> p;
    p.Open();
    // Busy: the worker is stopped while the old choice still stands.
    p.host.busy = true;
    std::pair<int, int> whenStopped;
    p.host.onStop = [&] {
        whenStopped
            = { p.world.state.onePpsInput.load(), p.Stored(keys::kSettings, keys::kOnePpsInput) };
    };
    p.Get(CVelarinPropertyPage4::kUseOnePps)->click();
    EXPECT_EQ(p.host.calls, std::vector<std::string> { "StopSetTimeThread" });
    EXPECT_EQ(whenStopped, std::make_pair(0, GpsSheet::kAbsent));
}

TEST(PpsLineChoice, CarrierDetectIsStoredAsThirtyTwoShownAgainAndNamedOnTheStatusPage)
{
    PageUnderTest<CVelarinPropertyPage4> p;
    p.Show();
    for (bool again : { false, true }) {
        WhenModal<CPPSSettingsDlg>([again](CPPSSettingsDlg* dialog) {
            EXPECT_EQ(dialog->DcdButton()->isChecked(), again);
            dialog->DcdButton()->click();
            dialog->accept();
        });
        p.page.OnPpsSettings();
        EXPECT_EQ(p.Stored(keys::kSettings, keys::kLine), 32);
    }

    PageUnderTest<CVelarinPropertyPage1> s;
    s.Open();
    const auto source = [&s] { return s.world.Advance(1000), s.Text(1114).toStdString(); };
    EXPECT_EQ(source(), "off");
    s.world.state.onePpsInput = 1;
    s.world.settings.WriteProfileInt(keys::kSettings, keys::kLine, 32);
    EXPECT_EQ(source(), "serial line DCD");
    s.world.state.SetKernelPpsSource("/dev/pps0");
    EXPECT_EQ(source(), "kernel PPS /dev/pps0");
}

TEST(OtherTalkersPages, CheckBoxKeepsTheSettingAndTheStatusPageTellsWhenOnlyOthersSendTime)
{
    PageUnderTest<CVelarinPropertyPage4> p;
    p.Show();
    p.Get(CVelarinPropertyPage4::kAcceptAllTalkers)->click();
    EXPECT_EQ(p.world.state.acceptAllTalkers.load(), 0);

    PageUnderTest<CVelarinPropertyPage1> s;
    int64_t nowMs = 0;
    s.world.parser.SetMonotonicClock([&nowMs] { return nowMs; });
    s.world.parser.SetAcceptAllTalkers(false);
    s.Open();
    const QLabel* notice = s.page.OtherTalkersNotice();
    for (int second = 0; second <= 11; ++second, nowMs += 1000) {
        s.world.parser.ProcessBytes(test::NmeaSentence("GNRMC,071551.000,A,,,,,,,060826"));
        s.world.Advance(1000);
        EXPECT_EQ(notice->isVisibleTo(&s.page), second >= 10) << second;
    }
    nowMs += 4000; // the receiver fell silent
    s.world.Advance(1000);
    EXPECT_FALSE(notice->isVisibleTo(&s.page));
}

TEST(ClockRateBox, StoresTheChoiceAndShowsTheEstimateAsItComes)
{
    using Page = CVelarinPropertyPage2;
    PageUnderTest<Page> p;
    p.Show();
    auto* box = p.Get<QCheckBox>(Page::kRateCorrection);
    auto* rate = p.Get<QLabel>(Page::kClockRate);
    ASSERT_TRUE(box && rate);
    EXPECT_EQ(rate->text(), QStringLiteral("learning\u2026"));
    box->click();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kRateCorrection), 0);

    using State = AppState::ClockRateState;
    const std::tuple<State, double, const char*> cases[]
        = { { State::Measured, 12.44, "+12.4 ppm" }, { State::Measured, -0.04, "+0.0 ppm" },
              { State::OtherService, 3.0, "kept by another time service" } };
    for (const auto& [state, ppm, text] : cases) {
        p.world.state.clockRateState = state;
        p.world.state.clockRatePpm = ppm;
        p.page.OnTimer();
        EXPECT_EQ(rate->text(), QString::fromUtf8(text));
    }
}
