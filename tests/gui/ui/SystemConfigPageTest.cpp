#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertyPage8.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/NetworkPagesFixture.h"
#include "support/NmeaSentence.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace velarin;
using velarin::testing::NetworkSheetWorld;
using velarin::testing::OnNextModal;

namespace {

struct SystemPage {
    SystemPage()
        : sheet(world.context)
        , page(*static_cast<CVelarinPropertyPage8*>(sheet.Page(9)))
    {
    }
    void Open() { page.EnsureInitialised(); }

    template <typename T> T* Get(int id) const { return qobject_cast<T*>(page.Control(id)); }
    QPushButton* LogButton() const { return Get<QPushButton>(1104); }
    int Stored(const char* key) const
    {
        return const_cast<MemorySettingsStore&>(world.settings)
            .GetProfileInt(keys::kSettings, key, -99);
    }

    NetworkSheetWorld world;
    CVelarinPropertySheet sheet;
    CVelarinPropertyPage8& page;
};

} // namespace

TEST(SystemConfigPage, OpensOnTheReferenceInUseWithTheDiagnosticsHidden)
{
    SystemPage p;
    p.world.state.useNetworkTime = 1;
    p.Open();
    EXPECT_EQ(p.page.Title(), QStringLiteral("System Configuration"));
    EXPECT_FALSE(p.Get<QRadioButton>(1039)->isChecked());
    EXPECT_TRUE(p.Get<QRadioButton>(1040)->isChecked());
    EXPECT_TRUE(p.Get<QCheckBox>(1028)->isChecked());
    EXPECT_TRUE(p.LogButton()->isHidden());
    EXPECT_FALSE(p.LogButton()->isEnabled());
    EXPECT_EQ(p.LogButton()->text(), QStringLiteral("Enable System Logging..."));
    const auto groups = p.page.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 3);
    for (QGroupBox* group : groups)
        EXPECT_EQ(group->isHidden(), group->title() == QStringLiteral("Diagnostics"))
            << group->title().toStdString();
    EXPECT_TRUE(p.world.host.calls.empty()); // opening switches nothing
    EXPECT_FALSE(p.page.HasTimer());

    SystemPage gps;
    gps.sheet.Balloon().enabled = 0;
    gps.Open();
    EXPECT_TRUE(gps.Get<QRadioButton>(1039)->isChecked());
    EXPECT_FALSE(gps.Get<QCheckBox>(1028)->isChecked());
}

TEST(SystemConfigPage, EveryReferenceClickSwitchesTheLinkAndStoresTheChoice)
{
    SystemPage p;
    p.Open();
    // GPS again: the port is reopened all the same.
    p.Get<QRadioButton>(1039)->click();
    EXPECT_EQ(p.world.host.calls, std::vector<std::string> { "UseGpsReference" });
    EXPECT_EQ(p.world.state.useNetworkTime.load(), 0);
    EXPECT_EQ(p.Stored(keys::kUseNetworkTime), 0);

    p.Get<QRadioButton>(1040)->click();
    EXPECT_EQ(p.world.host.calls.back(), "UseNetworkReference");
    EXPECT_EQ(p.world.state.useNetworkTime.load(), 1);
    EXPECT_EQ(p.Stored(keys::kUseNetworkTime), 1);

    p.Get<QRadioButton>(1039)->click();
    EXPECT_EQ(p.world.host.calls.back(), "UseGpsReference");
    EXPECT_EQ(p.world.state.useNetworkTime.load(), 0);
    EXPECT_EQ(p.Stored(keys::kUseNetworkTime), 0);
    EXPECT_EQ(p.world.host.calls.size(), 3u);

    p.Get<QPushButton>(1103)->click();
    EXPECT_EQ(p.world.host.helpContexts, std::vector<int> { 131189 });
}

TEST(SystemConfigPage, HelpBubblesSwitchAtOnce)
{
    SystemPage p;
    p.Open();
    p.Get<QCheckBox>(1028)->click();
    EXPECT_EQ(p.sheet.Balloon().enabled, 0);
    EXPECT_EQ(p.Stored(keys::kEnableBubbleTip), 0);
    p.Get<QCheckBox>(1028)->click();
    EXPECT_EQ(p.sheet.Balloon().enabled, 1);
    EXPECT_EQ(p.Stored(keys::kEnableBubbleTip), 1);
}

TEST(SystemConfigPage, LogButtonWritesLinesStampedInUtc)
{
    QTemporaryDir dir;
    SystemPage p;
    p.world.clock.SetLocalOffsetMinutes(9 * 60);
    p.Open();
    const QString path = dir.filePath(QStringLiteral("LogFile.LOG"));
    int asked = 0;
    p.page.askSystemLogPath = [&]() -> std::optional<QString> {
        ++asked;
        return path;
    };
    p.page.ToggleSystemLog();
    EXPECT_EQ(p.LogButton()->text(), QStringLiteral("Disable System Logging"));
    p.world.log.WriteSystemLog("SetTimeThread::SetTime");
    p.world.log.WriteSystemLog("SetTime using network");
    p.page.ToggleSystemLog();
    EXPECT_EQ(p.LogButton()->text(), QStringLiteral("Enable System Logging..."));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(test::ReadFileBytes(path.toStdString()),
        "20040105 12:34:56: SetTimeThread::SetTime\n"
        "20040105 12:34:56: SetTime using network\n");

    // Cancelled: nothing changes; a file that cannot be written leaves logging off.
    p.page.askSystemLogPath = [] { return std::optional<QString>(); };
    p.page.ToggleSystemLog();
    EXPECT_FALSE(p.world.log.IsSystemLogOpen());
    p.page.askSystemLogPath = [&] { return std::optional<QString>(dir.filePath("none/x.log")); };
    p.page.ToggleSystemLog();
    EXPECT_FALSE(p.world.log.IsSystemLogOpen());
    EXPECT_EQ(p.LogButton()->text(), QStringLiteral("Enable System Logging..."));
}

TEST(SystemConfigPage, SaveAsDialogOffersLogFileAndAddsTheExtension)
{
    QTemporaryDir dir;
    SystemPage p;
    p.Open();
    OnNextModal<QFileDialog>([&dir](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("LOG"));
        EXPECT_EQ(dialog->nameFilters(),
            (QStringList {
                QStringLiteral("Log Fils (*.log)"), QStringLiteral("All Files (*.*)") }));
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("diagnostics"));
        static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    p.page.ToggleSystemLog();
    EXPECT_TRUE(p.world.log.IsSystemLogOpen());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("diagnostics.LOG"))));
    p.page.ToggleSystemLog();

    OnNextModal<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->selectedFiles().value(0).section('/', -1), QStringLiteral("LogFile.LOG"));
        dialog->reject();
    });
    p.page.ToggleSystemLog();
    EXPECT_FALSE(p.world.log.IsSystemLogOpen());
}

TEST(SystemConfigPage, ALogOpenedAtStartUpOffersToDisable)
{
    QTemporaryDir dir;
    SystemPage p;
    p.world.log.OpenSystemLog(dir.filePath("startup.log").toStdString());
    p.Open();
    EXPECT_EQ(p.LogButton()->text(), QStringLiteral("Disable System Logging"));
    p.page.askSystemLogPath = [] {
        ADD_FAILURE() << "closing asks for no file";
        return std::optional<QString>();
    };
    p.page.ToggleSystemLog();
    EXPECT_FALSE(p.world.log.IsSystemLogOpen());
}
