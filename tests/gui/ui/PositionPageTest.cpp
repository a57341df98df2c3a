#include "engine/settings/SettingsKeys.h"
#include "engine/ui/CoordinateFormat.h"
#include "gui/ui/CSkyViewCtrl.h"
#include "gui/ui/CVelarinPropertyPage3.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"

using namespace velarin;
using velarin::testing::ReadCapture;
using velarin::testing::SheetWorld;

namespace {

using PositionPage = velarin::testing::PageUnderTest<CVelarinPropertyPage3>;

} // namespace

TEST(PositionPage, ShowsThePositionOnceASecondInTheChosenFormat)
{
    const std::string capture = ReadCapture("skytraq-dgps.log");
    if (capture.empty())
        GTEST_SKIP() << "receiver captures not found";
    PositionPage p;
    p.world.Advance(1000);
    EXPECT_EQ(p.Text(1003), QStringLiteral("N 00° 00.0000"));
    EXPECT_EQ(p.Text(1006), QStringLiteral("0.00     ft       "));

    p.world.parser.ProcessBytes(capture);
    p.world.Advance(999);
    EXPECT_EQ(p.Text(1003), QStringLiteral("N 00° 00.0000"));
    p.world.Advance(1);
    const GgaData& gga = p.world.parser.GetGga();
    EXPECT_EQ(p.Text(1003).toStdString(), FormatLatitude(gga.latitude, 0));
    EXPECT_TRUE(p.Text(1003).startsWith(QStringLiteral("N 44° 04.")));
    EXPECT_TRUE(p.Text(1005).startsWith(QStringLiteral("W 121° 18.")));
    EXPECT_EQ(p.Text(1006).toStdString(), FormatAltitude(gga.altitude, 1));

    // A change in the store shows at the next tick.
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kPositionFormat, 5);
    p.world.Advance(1000);
    EXPECT_EQ(p.Text(1003), QStringLiteral("ERROR"));
    EXPECT_EQ(p.Text(1005), QString());
    EXPECT_FALSE(p.Text(1006).isEmpty());

    // With the GPRMC time source the altitude is always 0.
    p.world.state.useTimrFrom = 1;
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kPositionFormat, 2);
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kUnits, 0);
    p.world.Advance(1000);
    EXPECT_EQ(p.Text(1006), QStringLiteral("0.00     m       "));
    EXPECT_EQ(p.Text(1003).toStdString(), FormatLatitude(p.world.parser.GetRmc().latitude, 2));
}

TEST(PositionPage, SkyViewSlotsFollowTheSatellitesInView)
{
    const std::string capture = ReadCapture("skytraq-dgps.log");
    if (capture.empty())
        GTEST_SKIP() << "receiver captures not found";
    PositionPage p;
    p.world.parser.SetAcceptAllTalkers(false); // its GPS satellites alone
    p.world.parser.ProcessBytes(capture);
    p.world.Advance(1000);
    const GsvData& gsv = p.world.parser.GetGsv();
    const auto& sky = p.page.SkyView()->Satellites();
    const size_t n = std::min<size_t>(gsv.inView, GsvData::kMaxSatellites);
    ASSERT_GT(n, 0u);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(sky[i].prn, gsv.satellites[i].prn);
        EXPECT_EQ(sky[i].azimuth, gsv.satellites[i].azimuth);
        EXPECT_EQ(sky[i].elevation, gsv.satellites[i].elevation);
        EXPECT_EQ(sky[i].signal, gsv.satellites[i].snr);
    }
    for (size_t i = n; i < sky.size(); ++i)
        EXPECT_EQ(sky[i].prn, 0);
    EXPECT_EQ(p.page.SkyView()->Shown()[0].prn, gsv.satellites[0].prn);

    // No satellites in view: every slot is cleared.
    p.world.parser.ProcessBytes("$GPGSV,1,1,00*79\r\n");
    p.world.Advance(1000);
    for (const auto& s : sky)
        EXPECT_EQ(s.prn, 0);
}
