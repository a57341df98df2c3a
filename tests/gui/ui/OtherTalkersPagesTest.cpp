// "Accept other satellite systems": the check box that keeps the setting, and the status page's
// notice while the receiver's time comes under talkers that are not read.
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/GpsPagesFixture.h"
#include "support/NmeaSentence.h"

#include <QAbstractButton>
#include <QLabel>

using namespace velarin;

TEST(OtherTalkersPages, CheckBoxKeepsTheSettingAndExplainsItself)
{
    velarin::testing::GpsSheet p(velarin::testing::kGpsConfigurationTab);
    p.Show();
    auto* box = qobject_cast<QAbstractButton*>(
        p.page<CVelarinPropertyPage4>().Control(CVelarinPropertyPage4::kAcceptAllTalkers));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(
        box->text(), QStringLiteral("Accept other satellite systems (GN, GL, GA, GB, GQ, GI)"));
    EXPECT_TRUE(box->isChecked()); // on by default
    EXPECT_TRUE(p.BubbleOf(box).contains(QStringLiteral("GLONASS")));
    box->click();
    EXPECT_EQ(p.world.state.acceptAllTalkers.load(), 0);
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kAcceptAllTalkers), 0);
}

TEST(OtherTalkersPages, StatusPageTellsWhenOnlyOtherTalkersSendTime)
{
    velarin::testing::PageUnderTest<CVelarinPropertyPage1> s;
    s.Open();
    int64_t nowMs = 0;
    s.world.parser.SetMonotonicClock([&nowMs] { return nowMs; });
    s.world.parser.SetAcceptAllTalkers(false);
    const QLabel* notice = s.page.OtherTalkersNotice();
    for (int second = 0; second <= 11; ++second, nowMs += 1000) {
        s.world.parser.ProcessBytes(test::NmeaSentence("GNRMC,071551.000,A,,,,,,,060826"));
        s.world.Advance(1000);
        EXPECT_EQ(notice->isVisibleTo(&s.page), second >= 10) << second;
    }
    EXPECT_TRUE(notice->text().contains(QStringLiteral("Accept other satellite systems")));
    nowMs += 4000; // the receiver fell silent
    s.world.Advance(1000);
    EXPECT_FALSE(notice->isVisibleTo(&s.page));
    s.world.parser.ProcessBytes(test::NmeaSentence("GNRMC,071551.000,A,,,,,,,060826"));
    s.world.parser.SetAcceptAllTalkers(true);
    s.world.Advance(1000);
    EXPECT_FALSE(notice->isVisibleTo(&s.page));
}
