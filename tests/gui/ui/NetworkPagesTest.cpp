// The network time and system configuration pages.
#include "engine/nettime/StoredServerList.h"
#include "engine/nettime/TimeServerList.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CServerListDlg.h"
#include "gui/ui/CVelarinPropertyPage7.h"
#include "gui/ui/CVelarinPropertyPage8.h"
#include "gui/ui/PropertySheetFixture.h"
#include "support/ModalDriver.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace velarin;
using velarin::test::WhenModal;
using velarin::testing::NetworkSheetWorld;

namespace {

using Names = std::vector<std::string>;

struct NetworkPage : velarin::testing::PageUnderTest<CVelarinPropertyPage7> {
    explicit NetworkPage(const Names& servers = {}, const std::string& current = {})
        : PageUnderTest(NetworkSheetWorld::k2004)
    {
        StoreServerList(world.settings, servers);
        world.state.SetCurrentTimeServer(current);
    }
    QComboBox* Servers() const { return Get<QComboBox>(1036); }
    QLineEdit* Port() const { return Get<QLineEdit>(1037); }
    QString Status() const { return Get<QLabel>(1041)->text(); }
    std::string StoredServer() { return world.StoredText(keys::kNetwork, keys::kTimeServer); }
    // Runs the server list dialog through the page's button with a scripted user.
    void EditList(std::function<bool(CServerListDlg&)> user)
    {
        page.runServerListDlg = std::move(user);
        Get(1072)->click();
    }
};

using SystemPage = velarin::testing::PageUnderTest<CVelarinPropertyPage8>;

} // namespace

TEST(NetworkTimePage, OpensAsStoredAndTheListShowsTheCurrentServer)
{
    for (bool daytime : { false, true }) {
        SCOPED_TRACE(daytime);
        NetworkPage p;
        if (daytime) {
            p.world.settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);
            p.world.settings.WriteProfileInt(keys::kNetwork, keys::kUseRandomServer, 1);
        }
        p.Open();
        EXPECT_EQ(p.Get(1055)->isChecked(), daytime);
        EXPECT_EQ(p.Port()->isEnabled(), daytime); // SNTP uses no port of the user's
        EXPECT_EQ(p.Servers()->isEnabled(), !daytime);
    }
    // The list is sorted and shows the current server whatever its case, choosing nothing.
    NetworkPage p({ "time-c.example", "Time-A.example", "time-b.example" }, "TIME-B.EXAMPLE");
    p.Open();
    EXPECT_EQ(
        p.page.ListedServers(), (Names { "Time-A.example", "time-b.example", "time-c.example" }));
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("time-b.example"));
    EXPECT_EQ(p.StoredServer(), "<absent>");
}

TEST(NetworkTimePage, ProtocolRandomAndServerChoicesTakeEffectAtOnce)
{
    NetworkPage p({ "a.example", "b.example" });
    p.Open();
    p.Get(1055)->click();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kUseSNTP), 0);
    EXPECT_TRUE(p.Port()->isEnabled());
    p.Get(1071)->click();
    EXPECT_FALSE(p.Servers()->isEnabled());

    p.Servers()->setCurrentIndex(1);
    emit p.Servers()->activated(1);
    EXPECT_EQ(p.world.state.CurrentTimeServer(), "b.example");
    EXPECT_EQ(p.StoredServer(), "b.example");
}

TEST(NetworkTimePage, SavedListFillsTwentyFiveSlotsAndReplacesARemovedCurrentServer)
{
    NetworkPage p({ "c.example", "b.example", "d.example", "e.example" }, "c.example");
    p.Open();
    int runs = 0;
    p.EditList([&runs](CServerListDlg& dialog) {
        ++runs;
        dialog.show();
        EXPECT_EQ(dialog.serverCount, 4);
        qobject_cast<QListWidget*>(dialog.Control(1036))->setCurrentRow(1); // the current one
        qobject_cast<QPushButton*>(dialog.Control(1075))->click();
        qobject_cast<QLineEdit*>(dialog.Control(1077))->setText(QStringLiteral("a.example"));
        qobject_cast<QPushButton*>(dialog.Control(1074))->click();
        qobject_cast<QPushButton*>(dialog.Control(1))->click();
        return dialog.result() == QDialog::Accepted;
    });
    ASSERT_EQ(runs, 1);

    EXPECT_EQ(ReadStoredServerList(p.world.settings),
        (Names { "a.example", "b.example", "d.example", "e.example" }));
    // The first server of the sorted list takes the removed one's place.
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("a.example"));
    EXPECT_EQ(p.StoredServer(), "a.example");
    // Cancelled: nothing changes; a list kept whole keeps the current server without storing
    // it again; an emptied list leaves no server.
    p.EditList([](CServerListDlg& dialog) { return dialog.serverCount = 1, false; });
    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kNumberOfTimeServers), 4);
    p.world.settings.WriteProfileString(keys::kNetwork, keys::kTimeServer, "kept");
    p.EditList([](CServerListDlg&) { return true; });
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("a.example"));
    EXPECT_EQ(p.StoredServer(), "kept");

    p.EditList([](CServerListDlg& dialog) { return dialog.serverCount = 0, true; });
    EXPECT_EQ(p.Servers()->count(), 0);
    EXPECT_EQ(p.StoredServer(), "");
}

TEST(NetworkTimePage, StatusLineEverySecond)
{
    NetworkPage p;
    p.Open();
    auto& world = p.world;
    const auto status = [&](int ms) { return world.timers.Advance(ms), p.Status().toStdString(); };
    EXPECT_EQ(status(1000), "Disabled");
    world.host.internetConnected = false;
    EXPECT_EQ(status(1000), "Disabled"); // whatever the connection
    EXPECT_EQ(world.host.connectionChecks, 0);

    world.state.useNetworkTime = 1;
    EXPECT_EQ(status(1000), "No Internet connection");
    world.host.internetConnected = true;
    world.state.networkFailure = 1;
    EXPECT_EQ(status(999), "No Internet connection");
    EXPECT_EQ(status(1), "Cannot connect to network time server");
}

TEST(SystemConfigPage, EveryReferenceClickSwitchesTheLinkAndStoresTheChoice)
{
    SystemPage p;
    p.Open();
    // GPS again: the port is reopened all the same.
    const std::vector<std::pair<int, std::string>> clicks { { 1039, "UseGpsReference" },
        { 1040, "UseNetworkReference" }, { 1039, "UseGpsReference" } };
    for (const auto& [radio, call] : clicks) {
        p.Get(radio)->click();
        EXPECT_EQ(p.host.calls.back(), call);
        EXPECT_EQ(p.Stored(keys::kSettings, keys::kUseNetworkTime), radio == 1040 ? 1 : 0);
    }
}

TEST(SystemConfigPage, LogButtonWritesLinesStampedInUtc)
{
    QTemporaryDir dir;
    SystemPage p(NetworkSheetWorld::k2004);
    p.world.clock.SetLocalOffsetMinutes(9 * 60);
    p.Open();
    EXPECT_EQ(p.Get(1104)->text(), QStringLiteral("Enable System Logging..."));
    const QString path = dir.filePath(QStringLiteral("LogFile.LOG"));
    int asked = 0;
    p.page.askSystemLogPath = [&]() -> std::optional<QString> { return ++asked, path; };
    p.page.ToggleSystemLog();
    EXPECT_EQ(p.Get(1104)->text(), QStringLiteral("Disable System Logging"));
    p.world.log.WriteSystemLog("SetTimeThread::SetTime");
    p.page.ToggleSystemLog(); // closing asks for no file
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(
        test::ReadFileBytes(path.toStdString()), "20040105 12:34:56: SetTimeThread::SetTime\n");
    // Cancelled: nothing changes; a file that cannot be written leaves logging off.
    p.page.askSystemLogPath = [] { return std::optional<QString>(); };
    p.page.ToggleSystemLog();
    EXPECT_FALSE(p.world.log.IsSystemLogOpen());
    p.page.askSystemLogPath = [&] { return std::optional<QString>(dir.filePath("none/x.log")); };
    p.page.ToggleSystemLog();
    EXPECT_EQ(p.Get(1104)->text(), QStringLiteral("Enable System Logging..."));
    // A log opened at start-up offers to disable.
    SystemPage started;
    started.world.log.OpenSystemLog(dir.filePath("startup.log").toStdString());
    started.Open();
    EXPECT_EQ(started.Get(1104)->text(), QStringLiteral("Disable System Logging"));
}

TEST(SystemConfigPage, SaveAsDialogOffersLogFileAndAddsTheExtension)
{
    QTemporaryDir dir;
    SystemPage p;
    p.Open();
    WhenModal<QFileDialog>([&dir](QFileDialog* dialog) {
        EXPECT_EQ(dialog->nameFilters(), (QStringList { "Log Fils (*.log)", "All Files (*.*)" }));
        EXPECT_EQ(dialog->selectedFiles().value(0).section('/', -1), QStringLiteral("LogFile.LOG"));
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("diagnostics"));
        static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    p.page.ToggleSystemLog();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("diagnostics.LOG"))));
    p.page.ToggleSystemLog();
    EXPECT_FALSE(p.world.log.IsSystemLogOpen());
}
