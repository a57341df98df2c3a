#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CPPSSettingsDlg.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/GpsPagesFixture.h"
#include "gui/ui/PropertySheetFixture.h"
#include "support/ModalDriver.h"

#include <QRadioButton>

using namespace velarin;
using velarin::test::WhenModal;
using velarin::testing::GpsSheet;

TEST(PpsLineChoice, CarrierDetectIsStoredAsThirtyTwoAndShownAgain)
{
    GpsSheet p(velarin::testing::kGpsConfigurationTab);
    p.Show();
    WhenModal<CPPSSettingsDlg>([](CPPSSettingsDlg* dialog) {
        dialog->DcdButton()->click();
        dialog->accept();
    });
    p.page<CVelarinPropertyPage4>().OnPpsSettings();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kLine), 32);

    WhenModal<CPPSSettingsDlg>([](CPPSSettingsDlg* dialog) {
        EXPECT_TRUE(dialog->DcdButton()->isChecked());
        dialog->accept();
    });
    p.page<CVelarinPropertyPage4>().OnPpsSettings();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kLine), 32);
}

TEST(PpsLineChoice, StatusPageNamesThePulseSource)
{
    velarin::testing::PageUnderTest<CVelarinPropertyPage1> s;
    s.Open();
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1114), QStringLiteral("off"));
    s.world.state.onePpsInput = 1;
    s.world.settings.WriteProfileInt(keys::kSettings, keys::kLine, 32);
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1114), QStringLiteral("serial line DCD"));
    s.world.state.SetKernelPpsSource("/dev/pps0");
    s.world.Advance(1000);
    EXPECT_EQ(s.Text(1114), QStringLiteral("kernel PPS /dev/pps0"));
}
