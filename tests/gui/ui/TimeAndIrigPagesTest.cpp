// The time, IRIG, about and licence pages.
#include "engine/clocks/ClockCommands.h"
#include "engine/irig/IrigGenerator.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/ClockColorDlg.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/ui/CHyperlinkCtrl.h"
#include "gui/ui/CVelarinPropertyPage10.h"
#include "gui/ui/CVelarinPropertyPage5.h"
#include "gui/ui/CVelarinPropertyPage9.h"
#include "gui/ui/PropertySheetFixture.h"
#include "platform/sim/NullAudioDevice.h"
#include "platform/sim/SimulatedAudioDevice.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include <cerrno>

using namespace velarin;
using velarin::testing::PageUnderTest;

namespace {

using TimePage = PageUnderTest<CVelarinPropertyPage9>;

// The IRIG page; the main frame owns a generator on the given sound output, or none.
struct IrigPage : PageUnderTest<CVelarinPropertyPage10> {
    explicit IrigPage(AudioDevice* device, std::vector<std::pair<const char*, int>> stored = {})
    {
        for (const auto& [key, value] : stored)
            world.settings.WriteProfileInt(keys::kIrig, key, value);
        if (device != nullptr)
            host.generator = &generator.emplace(world.clock, *device, host.notifier);
        Open();
    }
    ~IrigPage()
    {
        if (generator)
            generator->Stop();
    }
    int Stored(const char* key) { return world.settings.GetProfileInt(keys::kIrig, key, -1); }
    // Switches the output on and gives the rate it runs at (0: it did not start).
    unsigned SwitchOn()
    {
        Get(1095)->click();
        return generator && generator->IsRunning() ? generator->Stream().SampleRate() : 0;
    }

    std::optional<CIrigGenerator> generator;
};

} // namespace

TEST(TimePage, ShowsTheStoredChoiceAndAPresetSetsTheDesktopColoursTheStoreAndTheClock)
{
    TimePage t;
    t.Open();
    EXPECT_EQ(t.page.UtcClock()->useLocalTime, 0);
    // Nothing stored: the default is the custom colour.
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 3);

    const std::vector<std::pair<int, int>> cases { { cmd::kBlue, 0 }, { cmd::kCustomColor, 3 },
        { 32781, -1 } };
    for (const auto& [command, index] : cases) {
        t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, command);
        t.world.Advance(1000);
        EXPECT_EQ(t.page.ColorList()->currentIndex(), index) << command;
    }
    // A preset sets the desktop colours, the store and the clock.
    t.page.ColorList()->setCurrentIndex(2);
    t.page.OnColorListChanged(2);
    EXPECT_EQ(t.world.state.clockActiveSegColor.load(), 0x0000FFU);
    EXPECT_EQ(t.Stored(keys::kSettings, keys::kClockColor), cmd::kRed);
    EXPECT_EQ(t.page.UtcClock()->inactiveColor, 0x000030U);
}

TEST(TimePage, CustomTakesTheDialogsColoursOnOkAndKeepsThemOnCancel)
{
    TimePage t;
    t.Open();
    t.world.state.clockActiveSegColor = 0x112233;
    t.world.state.clockInactiveSegColor = 0x010203;
    t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kGreen);
    std::vector<std::pair<uint32_t, uint32_t>> offered;
    bool accept = false;
    t.page.SetDialogRunner([&](QDialog& dialog) {
        auto& colours = dynamic_cast<CClockColorDlg&>(dialog);
        offered.emplace_back(colours.activeColor, colours.inactiveColor);
        colours.activeColor = 0x00A5FF;
        colours.inactiveColor = 0x002040;
        return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    t.page.OnColorListChanged(3);
    ASSERT_EQ(offered.size(), 1U);
    EXPECT_EQ(offered[0], std::make_pair(0x112233U, 0x010203U));
    // Cancelled: both colour keys written unchanged, the choice left as it was.
    EXPECT_EQ(t.Stored(keys::kSettings, keys::kClockColor), cmd::kGreen);
    EXPECT_EQ(t.Stored(keys::kSettings, keys::kClockDisableSegColor), 0x010203);

    accept = true;
    t.page.OnColorListChanged(3);
    EXPECT_EQ(t.Stored(keys::kSettings, keys::kClockColor), cmd::kCustomColor);
    EXPECT_EQ(t.page.UtcClock()->inactiveColor, 0x002040U);
}

TEST(TimePage, AColourChosenElsewhereShowsWithinASecondUnlessTheListHasTheFocus)
{
    TimePage t;
    t.Show();
    t.sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.sheet));
    // The desktop clock's menu changes the colours and the choice.
    t.world.state.clockActiveSegColor = 0x0000FF;
    t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kRed);
    t.world.Advance(1000);
    EXPECT_EQ(t.page.UtcClock()->activeColor, 0x0000FFU);
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 2);

    t.page.ColorList()->setFocus();
    ASSERT_TRUE(t.page.ColorList()->hasFocus());
    t.world.settings.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kBlue);
    t.world.Advance(2000);
    EXPECT_EQ(t.page.ColorList()->currentIndex(), 2);
}

// It opens with the stored choices.
TEST(IrigPage, EnablingStartsTheOutputAtTheStoredOrShownCompressionAndGreysTheSlider)
{
    NullAudioDevice device, other;
    IrigPage t(&device);
    EXPECT_EQ(t.page.CompressionText()->text(), QStringLiteral("15%"));
    IrigPage on(&other,
        { { keys::kIRIGEnable, 1 }, { keys::kEnableUTCTime, 1 }, { keys::kFrameCompression, 99 } });
    EXPECT_TRUE(on.Get(1101)->isChecked());
    EXPECT_FALSE(on.page.CompressionSlider()->isEnabled());
    EXPECT_EQ(on.page.CompressionText()->text(), QStringLiteral("30%"));
    // Nothing stored: switching on uses the 15 the slider shows.
    EXPECT_EQ(t.SwitchOn(), 16150U);
    EXPECT_EQ(t.Stored(keys::kIRIGEnable), 1);
    EXPECT_EQ(t.SwitchOn(), 0U); // the second click switches off
    EXPECT_TRUE(t.page.CompressionSlider()->isEnabled());
    // A moved slider applies the next time the output is switched on.
    t.page.CompressionSlider()->setValue(20);
    EXPECT_EQ(t.SwitchOn(), 16200U);
    // The generator follows the twelve-hour and UTC boxes.
    t.Get(1097)->click();
    t.Get(1101)->click();
    EXPECT_EQ(t.generator->TwelveHourMode(), 1);
    EXPECT_EQ(t.generator->UtcMode(), 1);
    // An out-of-range stored compression starts at the nearest end of the range.
    for (const auto& [stored, rate] : { std::pair { 1000, 16300U }, std::pair { -1600, 16000U } }) {
        NullAudioDevice out;
        EXPECT_EQ(IrigPage(&out, { { keys::kFrameCompression, stored } }).SwitchOn(), rate)
            << stored;
    }
}

TEST(IrigPage, WhenTheOutputCannotStartTheBoxUnticksItselfAndNothingIsStored)
{
    SimulatedAudioDevice busy([] { return int64_t { 0 }; });
    busy.SetOpenError(EBUSY);
    IrigPage t(&busy);
    IrigPage none(nullptr); // a program without any IRIG output behaves the same
    for (IrigPage* p : { &t, &none }) {
        EXPECT_EQ(p->SwitchOn(), 0U);
        EXPECT_FALSE(p->Get(1095)->isChecked());
        EXPECT_EQ(p->Stored(keys::kIRIGEnable), -1);
    }
    // The generator has told the user why.
    EXPECT_FALSE(t.host.notifier.Messages().empty());
}

TEST(AboutPage, VersionAndTwoLinksToTheHelpPagesAndSupport)
{
    PageUnderTest<CVelarinPropertyPage5> t;
    t.Open();
    QStringList texts;
    for (QLabel* label : t.page.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Velarin Version 5.5 Build 2")));
    auto* home = t.Get<CHyperlinkCtrl>(1014);
    auto* mail = t.Get<CHyperlinkCtrl>(1015);
    ASSERT_TRUE(home && mail);
    // Built without an address of its own: the help's index page.
    EXPECT_TRUE(home->LinkTarget().endsWith(QStringLiteral("/index.html")));
    EXPECT_EQ(mail->LinkTarget(), QStringLiteral("mailto:velarin-support@example.org"));
}
