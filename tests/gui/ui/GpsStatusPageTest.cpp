#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CSignalBarCtrl.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"

#include <QPushButton>

using namespace velarin;
using velarin::testing::ReadCapture;
using velarin::testing::SheetWorld;

namespace {

using StatusPage = velarin::testing::PageUnderTest<CVelarinPropertyPage1>;

} // namespace

TEST(GpsStatusPage, ShowsTimesAndStatesOnceASecond)
{
    StatusPage s;
    // Local time: the simulated clock runs at true time, 22:13:20 UTC plus two hours.
    s.world.clock.SetLocalOffsetMinutes(120);
    s.world.Advance(50);
    EXPECT_EQ(s.Text(1001), QString()); // no receiver time yet
    EXPECT_EQ(s.Text(1002), QStringLiteral("00:13:20"));
    EXPECT_EQ(s.Text(1004), QStringLiteral("UNLOCKED"));
    EXPECT_EQ(s.Text(1007), QStringLiteral("Idle"));
    EXPECT_FALSE(s.page.Control(1008)->isEnabled());

    s.world.parser.ProcessBytes(velarin::test::NmeaSentence(
        "GPGGA,213121.000,4404.1295864,N,12118.8685453,W,2,07,1.2,1102.5,M,,M,,"));
    s.world.state.timeReferenceUsable = 1;
    s.world.Advance(50);
    EXPECT_EQ(s.Text(1001), QStringLiteral("21:31:21"));
    // The states wait for the next local second.
    EXPECT_EQ(s.Text(1004), QStringLiteral("UNLOCKED"));
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1004), QStringLiteral("LOCKED"));
    EXPECT_TRUE(s.page.Control(1008)->isEnabled());

    s.world.host.busy = true;
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1007), QStringLiteral("Seting PC Clock.."));
    EXPECT_FALSE(s.page.Control(1008)->isEnabled());
    s.world.host.busy = false;
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1007), QStringLiteral("Idle"));
    EXPECT_TRUE(s.page.Control(1008)->isEnabled());
}

TEST(GpsStatusPage, IndicatorFlashesPerBatchAndGoesDarkWhenSentencesStop)
{
    StatusPage s;
    CLedCtrl& rx = *s.page.RxIndicator();
    EXPECT_EQ(rx.Colour(), led::kGreen);
    EXPECT_EQ(rx.Size(), led::kLarge);
    EXPECT_EQ(rx.State(), led::kDark);
    s.world.parser.ProcessBytes(velarin::test::NmeaSentence("GPZDA,201530.00,04,07,2002,00,00"));
    s.world.Advance(50);
    EXPECT_EQ(rx.State(), led::kLit);
    s.world.Advance(90);
    EXPECT_EQ(rx.State(), led::kLit);
    s.world.Advance(20);
    EXPECT_EQ(rx.State(), led::kDark);
    s.world.Advance(2000);
    EXPECT_EQ(rx.State(), led::kDark);
}

TEST(GpsStatusPage, BarsFollowTheSatellitesInViewFromACapture)
{
    const std::string capture = ReadCapture("skytraq-dgps.log");
    if (capture.empty())
        GTEST_SKIP() << "receiver captures not found";
    StatusPage s;
    s.world.Advance(50);
    EXPECT_EQ(s.page.SignalBars()->count, 12); // nothing in view yet

    s.world.parser.ProcessBytes(capture);
    s.world.Advance(50);
    const GsvData& gsv = s.world.parser.GetGsv();
    ASSERT_GT(gsv.inView, 12);
    const CSignalBarCtrl& bars = *s.page.SignalBars();
    EXPECT_EQ(bars.count, gsv.inView);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(bars.entries[i].prn, gsv.satellites[i].prn);
        EXPECT_EQ(bars.entries[i].snr, gsv.satellites[i].snr);
        EXPECT_EQ(bars.entries[i].used, static_cast<int32_t>(gsv.satellites[i].used));
    }
    // Every satellite in view has its bar, not only the first twelve.
    EXPECT_EQ(bars.entries[12].prn, gsv.satellites[12].prn);
}

TEST(GpsStatusPage, ResetButtonResetsTheScale)
{
    StatusPage s;
    CSignalBarCtrl& bars = *s.page.SignalBars();
    bars.count = 1;
    bars.entries[0] = { 3, 33, 1 };
    bars.resize(200, 100);
    (void)bars.grab();
    EXPECT_EQ(bars.Scale().maximumSeen, 33);
    qobject_cast<QPushButton*>(s.page.Control(1033))->click();
    EXPECT_EQ(bars.Scale().maximumSeen, -999);
}
