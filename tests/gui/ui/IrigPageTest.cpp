#include "engine/irig/IrigGenerator.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CVelarinPropertyPage10.h"
#include "gui/ui/PropertySheetFixture.h"
#include "gui/ui/TimeAndIrigTestSupport.h"
#include "platform/sim/NullAudioDevice.h"
#include "platform/sim/SimulatedAudioDevice.h"
#include "support/RecordingNotifier.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <cerrno>
#include <optional>

using namespace velarin;
using velarin::testing::SheetWorld;

namespace {

// The IRIG page on a sheet whose main frame owns a generator on the given sound output (or,
// with none, no generator at all).
struct IrigPage {
    explicit IrigPage(AudioDevice* device, std::function<void(SettingsStore&)> stored = {})
    {
        if (stored)
            stored(world.settings);
        if (device != nullptr) {
            generator.emplace(world.clock, *device, notifier);
            host.generator = &*generator;
        }
        sheet = std::make_unique<CVelarinPropertySheet>(context);
        page = sheet->findChild<CVelarinPropertyPage10*>();
        page->EnsureInitialised();
    }
    ~IrigPage()
    {
        if (generator)
            generator->Stop();
    }
    int Stored(const char* key) { return world.settings.GetProfileInt(keys::kIrig, key, -1); }
    QCheckBox* Box(int id) { return qobject_cast<QCheckBox*>(page->Control(id)); }

    SheetWorld world;
    velarin::testing::IrigSheetHost host;
    test::RecordingNotifier notifier;
    std::optional<CIrigGenerator> generator;
    PropertySheetContext context { world.state, world.settings, world.parser, world.clock, host,
        world.timers };
    std::unique_ptr<CVelarinPropertySheet> sheet;
    CVelarinPropertyPage10* page = nullptr;
};

} // namespace

TEST(IrigPage, OpensWithTheStoredChoicesAndWritesNothing)
{
    NullAudioDevice device;
    IrigPage t(&device);
    EXPECT_FALSE(t.Box(1095)->isChecked());
    EXPECT_FALSE(t.Box(1097)->isChecked());
    EXPECT_FALSE(t.Box(1101)->isChecked());
    EXPECT_EQ(t.Box(1095)->text(), QStringLiteral("Enable IRIG Output"));
    EXPECT_EQ(t.page->CompressionSlider()->minimum(), 0);
    EXPECT_EQ(t.page->CompressionSlider()->maximum(), 30);
    EXPECT_EQ(t.page->CompressionSlider()->tickInterval(), 2);
    EXPECT_EQ(t.page->CompressionSlider()->value(), 15);
    EXPECT_EQ(t.page->CompressionText()->text(), QStringLiteral("15%"));
    EXPECT_TRUE(t.page->CompressionSlider()->isEnabled());
    for (const char* key : { keys::kIRIGEnable, keys::kFrameCompression, keys::kEnable12HourMode,
             keys::kEnableUTCTime })
        EXPECT_EQ(t.Stored(key), -1) << key;

    NullAudioDevice other;
    IrigPage on(&other, [](SettingsStore& s) {
        s.WriteProfileInt(keys::kIrig, keys::kIRIGEnable, 1);
        s.WriteProfileInt(keys::kIrig, keys::kEnableUTCTime, 1);
        s.WriteProfileInt(keys::kIrig, keys::kFrameCompression, 99);
    });
    EXPECT_TRUE(on.Box(1095)->isChecked());
    EXPECT_TRUE(on.Box(1101)->isChecked());
    EXPECT_FALSE(on.page->CompressionSlider()->isEnabled());
    EXPECT_FALSE(on.page->CompressionText()->isEnabled());
    EXPECT_EQ(on.page->CompressionText()->text(), QStringLiteral("30%"));
}

TEST(IrigPage, EnablingStartsTheOutputAtTheStoredOrShownCompressionAndGreysTheSlider)
{
    NullAudioDevice device;
    IrigPage t(&device);
    t.Box(1095)->click();
    ASSERT_TRUE(t.generator->IsRunning());
    // Nothing stored: switching on uses the 15 the slider shows.
    EXPECT_EQ(t.generator->Stream().SampleRate(), 16150U);
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(t.Stored(keys::kIRIGEnable), 1);
    EXPECT_TRUE(t.Box(1095)->isChecked());
    EXPECT_FALSE(t.page->CompressionSlider()->isEnabled());

    t.Box(1095)->click();
    EXPECT_FALSE(t.generator->IsRunning());
    EXPECT_EQ(t.Stored(keys::kIRIGEnable), 0);
    EXPECT_TRUE(t.page->CompressionSlider()->isEnabled());

    // A moved slider applies the next time the output is switched on.
    t.page->CompressionSlider()->setValue(20);
    t.Box(1095)->click();
    EXPECT_EQ(t.generator->Stream().SampleRate(), 16200U);
    t.Box(1095)->click();
    t.page->CompressionSlider()->setValue(30);
    t.Box(1095)->click();
    EXPECT_EQ(t.generator->Stream().SampleRate(), 16300U);
    EXPECT_TRUE(t.notifier.Messages().empty());
}

TEST(IrigPage, AnOutOfRangeStoredCompressionStartsAtTheNearestEndOfTheRange)
{
    for (const auto& [stored, rate] : { std::pair { 1000, 16300U }, std::pair { -1600, 16000U } }) {
        NullAudioDevice device;
        IrigPage t(&device, [stored = stored](SettingsStore& s) {
            s.WriteProfileInt(keys::kIrig, keys::kFrameCompression, stored);
        });
        t.Box(1095)->click();
        ASSERT_TRUE(t.generator->IsRunning()) << stored;
        EXPECT_EQ(t.generator->Stream().SampleRate(), rate) << stored;
    }
}

TEST(IrigPage, WhenTheOutputCannotStartTheBoxUnticksItselfAndNothingIsStored)
{
    SimulatedAudioDevice busy([] { return int64_t { 0 }; });
    busy.SetOpenError(EBUSY);
    IrigPage t(&busy);
    t.Box(1095)->click();
    EXPECT_FALSE(t.Box(1095)->isChecked());
    EXPECT_FALSE(t.generator->IsRunning());
    EXPECT_EQ(t.Stored(keys::kIRIGEnable), -1);
    EXPECT_TRUE(t.page->CompressionSlider()->isEnabled());
    // The generator has told the user why.
    EXPECT_FALSE(t.notifier.Messages().empty());

    // A program without any IRIG output behaves the same.
    IrigPage none(nullptr);
    none.Box(1095)->click();
    EXPECT_FALSE(none.Box(1095)->isChecked());
    EXPECT_EQ(none.Stored(keys::kIRIGEnable), -1);
}

TEST(IrigPage, TwelveHourAndUtcGoToTheGeneratorAndTheStore)
{
    NullAudioDevice device;
    IrigPage t(&device);
    t.Box(1097)->click();
    EXPECT_EQ(t.generator->TwelveHourMode(), 1);
    EXPECT_EQ(t.Stored(keys::kEnable12HourMode), 1);
    t.Box(1101)->click();
    EXPECT_EQ(t.generator->UtcMode(), 1);
    EXPECT_EQ(t.Stored(keys::kEnableUTCTime), 1);
    t.Box(1097)->click();
    t.Box(1101)->click();
    EXPECT_EQ(t.generator->TwelveHourMode(), 0);
    EXPECT_EQ(t.generator->UtcMode(), 0);
    EXPECT_EQ(t.Stored(keys::kEnable12HourMode), 0);
    EXPECT_EQ(t.Stored(keys::kEnableUTCTime), 0);

    // Without a generator the choices are still kept.
    IrigPage none(nullptr);
    none.Box(1101)->click();
    EXPECT_EQ(none.Stored(keys::kEnableUTCTime), 1);
}

TEST(IrigPage, TheSliderShowsAndStoresEveryPositionAndHelpOpensItsContext)
{
    NullAudioDevice device;
    IrigPage t(&device);
    QSlider* slider = t.page->CompressionSlider();
    slider->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(t.page->CompressionText()->text(), QStringLiteral("0%"));
    EXPECT_EQ(t.Stored(keys::kFrameCompression), 0);
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(t.page->CompressionText()->text(), QString::asprintf("%d%%", slider->value()));
    slider->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(t.page->CompressionText()->text(), QStringLiteral("30%"));
    EXPECT_EQ(t.Stored(keys::kFrameCompression), 30);
    EXPECT_FALSE(t.generator->IsRunning());

    qobject_cast<QPushButton*>(t.page->Control(1098))->click();
    EXPECT_EQ(t.host.helpContexts, std::vector<int> { 131395 });
}
