#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CVelarinPropertyPage2.h"
#include "gui/ui/GpsPagesFixture.h"

#include <QCheckBox>
#include <QLabel>

using namespace velarin;
using velarin::testing::GpsSheet;
using velarin::testing::kClockUpdateTab;

TEST(ClockRateBox, StoresTheChoiceAndShowsTheEstimateAsItComes)
{
    using Page = CVelarinPropertyPage2;
    GpsSheet p(kClockUpdateTab);
    p.Show();
    auto& page = p.page<Page>();
    auto* box = qobject_cast<QCheckBox*>(page.Control(Page::kRateCorrection));
    auto* rate = qobject_cast<QLabel*>(page.Control(Page::kClockRate));
    ASSERT_TRUE(box && rate);
    EXPECT_EQ(box->text(), QStringLiteral("Correct the clock's rate between updates"));
    EXPECT_TRUE(box->isChecked()) << "on by default";
    EXPECT_EQ(rate->text(), QStringLiteral("learning\u2026"));

    box->click();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kRateCorrection), 0);

    const struct {
        AppState::ClockRateState state;
        double ppm;
        const char* text;
    } cases[] = {
        { AppState::ClockRateState::Measured, 12.44, "+12.4 ppm" },
        { AppState::ClockRateState::Measured, -0.04, "+0.0 ppm" },
        { AppState::ClockRateState::OtherService, 3.0, "kept by another time service" },
    };
    for (const auto& c : cases) {
        p.world.state.clockRateState = c.state;
        p.world.state.clockRatePpm = c.ppm;
        page.OnTimer();
        EXPECT_EQ(rate->text(), QString::fromUtf8(c.text));
    }
}
