#include "engine/nettime/StoredServerList.h"
#include "engine/nettime/TimeServerList.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CServerListDlg.h"
#include "gui/ui/CVelarinPropertyPage7.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/NetworkPagesFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace velarin;
using velarin::testing::NetworkSheetWorld;

namespace {

using Names = std::vector<std::string>;

struct NetworkPage {
    // The store and state are set up first; the page opens on Open().
    NetworkPage()
        : sheet(world.context)
        , page(*static_cast<CVelarinPropertyPage7*>(sheet.Page(8)))
    {
    }
    void Open() { page.EnsureInitialised(); }

    template <typename T> T* Get(int id) const { return qobject_cast<T*>(page.Control(id)); }
    QComboBox* Servers() const { return Get<QComboBox>(1036); }
    QLineEdit* Port() const { return Get<QLineEdit>(1037); }
    QString Status() const { return Get<QLabel>(1041)->text(); }
    int Stored(const char* section, const char* key) const
    {
        return const_cast<MemorySettingsStore&>(world.settings).GetProfileInt(section, key, -99);
    }
    std::string StoredText(const char* key) const
    {
        return const_cast<MemorySettingsStore&>(world.settings)
            .GetProfileString(keys::kNetwork, key, "<absent>");
    }

    NetworkSheetWorld world;
    CVelarinPropertySheet sheet;
    CVelarinPropertyPage7& page;
};

} // namespace

TEST(NetworkTimePage, OpensWithSntpThePortShownNothingStoredAndTheTimerRunning)
{
    NetworkPage p;
    p.world.state.timeServerPort = 1313;
    p.Open();
    EXPECT_EQ(p.page.Title(), QStringLiteral("Network Time"));
    EXPECT_TRUE(p.Get<QRadioButton>(1054)->isChecked());
    EXPECT_FALSE(p.Get<QRadioButton>(1055)->isChecked());
    EXPECT_EQ(p.Port()->text(), QStringLiteral("1313"));
    EXPECT_FALSE(p.Port()->isEnabled()); // SNTP uses no port of the user's
    // Showing is no change: nothing is stored.
    for (const char* key : { keys::kTimeServerPort, keys::kUseRandomServer })
        EXPECT_EQ(p.Stored(keys::kNetwork, key), -99);
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kUseSNTP), -99);
    EXPECT_TRUE(p.Servers()->isEnabled());
    EXPECT_EQ(p.Servers()->count(), 0);
    EXPECT_TRUE(p.page.HasTimer());
}

TEST(NetworkTimePage, StoredDaytimeAndRandomChoiceShowAsStored)
{
    NetworkPage p;
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);
    p.world.settings.WriteProfileInt(keys::kNetwork, keys::kUseRandomServer, 1);
    p.Open();
    EXPECT_TRUE(p.Get<QRadioButton>(1055)->isChecked());
    EXPECT_TRUE(p.Port()->isEnabled());
    EXPECT_TRUE(p.Get<QCheckBox>(1071)->isChecked());
    EXPECT_FALSE(p.Servers()->isEnabled());
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kUseSNTP), 0);
}

TEST(NetworkTimePage, ListIsSortedAndShowsTheCurrentServerWhateverItsCase)
{
    NetworkPage p;
    StoreServerList(p.world.settings, { "time-c.example", "Time-A.example", "time-b.example" });
    p.world.state.SetCurrentTimeServer("TIME-B.EXAMPLE");
    p.Open();
    EXPECT_EQ(
        p.page.ListedServers(), (Names { "Time-A.example", "time-b.example", "time-c.example" }));
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("time-b.example"));
    // Showing it chooses nothing: the current server and the store stay as they were.
    EXPECT_EQ(p.world.state.CurrentTimeServer(), "TIME-B.EXAMPLE");
    EXPECT_EQ(p.StoredText(keys::kTimeServer), "<absent>");
}

TEST(NetworkTimePage, EachControlStoresItsValueAtOnce)
{
    NetworkPage p;
    StoreServerList(p.world.settings, { "a.example", "b.example" });
    p.Open();

    p.Get<QRadioButton>(1055)->click();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kUseSNTP), 0);
    EXPECT_TRUE(p.Port()->isEnabled());
    p.Port()->setText(QStringLiteral("37"));
    EXPECT_EQ(p.world.state.timeServerPort.load(), 37);
    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kTimeServerPort), 37);
    p.Port()->setText(QStringLiteral("3x"));
    EXPECT_EQ(p.world.state.timeServerPort.load(), 0);
    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kTimeServerPort), 0);
    p.Get<QRadioButton>(1054)->click();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kUseSNTP), 1);
    EXPECT_FALSE(p.Port()->isEnabled());

    p.Get<QCheckBox>(1071)->click();
    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kUseRandomServer), 1);
    EXPECT_FALSE(p.Servers()->isEnabled());
    p.Get<QCheckBox>(1071)->click();
    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kUseRandomServer), 0);
    EXPECT_TRUE(p.Servers()->isEnabled());

    p.Servers()->setCurrentIndex(1);
    emit p.Servers()->activated(1);
    EXPECT_EQ(p.world.state.CurrentTimeServer(), "b.example");
    EXPECT_EQ(p.StoredText(keys::kTimeServer), "b.example");

    p.Get<QPushButton>(1103)->click();
    EXPECT_EQ(p.world.host.helpContexts, std::vector<int> { 131188 });
}

TEST(NetworkTimePage, SavedListFillsTwentyFiveSlotsAndReplacesARemovedCurrentServer)
{
    NetworkPage p;
    StoreServerList(p.world.settings, { "c.example", "b.example", "d.example", "e.example" });
    p.world.state.SetCurrentTimeServer("c.example");
    p.Open();
    int runs = 0;
    p.page.runServerListDlg = [&runs](CServerListDlg& dialog) {
        ++runs;
        dialog.show();
        EXPECT_EQ(dialog.serverCount, 4);
        auto* list = qobject_cast<QListWidget*>(dialog.Control(1036));
        list->setCurrentRow(1); // "c.example", the current server
        qobject_cast<QPushButton*>(dialog.Control(1075))->click();
        qobject_cast<QLineEdit*>(dialog.Control(1077))->setText(QStringLiteral("a.example"));
        qobject_cast<QPushButton*>(dialog.Control(1074))->click();
        qobject_cast<QPushButton*>(dialog.Control(1))->click();
        return dialog.result() == QDialog::Accepted;
    };
    qobject_cast<QPushButton*>(p.page.Control(1072))->click();
    ASSERT_EQ(runs, 1);

    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kNumberOfTimeServers), 4);
    EXPECT_EQ(ReadStoredServerList(p.world.settings),
        (Names { "a.example", "b.example", "d.example", "e.example" }));
    for (int slot = 4; slot < 25; ++slot)
        EXPECT_EQ(p.StoredText(TimeServerSlotKey(slot).c_str()), "None") << slot;
    EXPECT_EQ(p.page.ListedServers(), ReadStoredServerList(p.world.settings));
    // The first server of the sorted list takes the removed one's place.
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("a.example"));
    EXPECT_EQ(p.world.state.CurrentTimeServer(), "a.example");
    EXPECT_EQ(p.StoredText(keys::kTimeServer), "a.example");
}

TEST(NetworkTimePage, CancelledListChangesNothingAndAnEmptiedListLeavesNoServer)
{
    NetworkPage p;
    StoreServerList(p.world.settings, { "a.example", "b.example" });
    p.world.state.SetCurrentTimeServer("b.example");
    p.Open();
    p.page.runServerListDlg = [](CServerListDlg& dialog) {
        dialog.show();
        qobject_cast<QPushButton*>(dialog.Control(1075))->click();
        return false;
    };
    p.page.OnAddDelete();
    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kNumberOfTimeServers), 2);
    EXPECT_EQ(p.page.ListedServers(), (Names { "a.example", "b.example" }));
    EXPECT_EQ(p.StoredText(keys::kTimeServer), "<absent>");

    // A list kept whole keeps the current server without storing it again.
    p.page.runServerListDlg = [](CServerListDlg&) { return true; };
    p.page.OnAddDelete();
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("b.example"));
    EXPECT_EQ(p.StoredText(keys::kTimeServer), "<absent>");

    p.page.runServerListDlg = [](CServerListDlg& dialog) {
        dialog.serverCount = 0;
        return true;
    };
    p.page.OnAddDelete();
    EXPECT_EQ(p.Stored(keys::kNetwork, keys::kNumberOfTimeServers), 0);
    EXPECT_EQ(p.StoredText("NetServer-00"), "None");
    EXPECT_EQ(p.Servers()->count(), 0);
    EXPECT_EQ(p.world.state.CurrentTimeServer(), "");
    EXPECT_EQ(p.StoredText(keys::kTimeServer), "");
}

TEST(NetworkTimePage, StatusLineEverySecond)
{
    NetworkPage p;
    p.Open();
    auto& world = p.world;
    world.timers.Advance(1000);
    EXPECT_EQ(p.Status(), QStringLiteral("Disabled"));
    world.host.internetConnected = false;
    world.timers.Advance(1000);
    EXPECT_EQ(p.Status(), QStringLiteral("Disabled")); // whatever the connection
    EXPECT_EQ(world.host.connectionChecks, 0);

    world.state.useNetworkTime = 1;
    world.timers.Advance(1000);
    EXPECT_EQ(p.Status(), QStringLiteral("No Internet connection"));
    world.host.internetConnected = true;
    world.timers.Advance(1000);
    EXPECT_EQ(p.Status(), QStringLiteral("Nominal"));
    world.state.networkFailure = 1;
    world.timers.Advance(999);
    EXPECT_EQ(p.Status(), QStringLiteral("Nominal"));
    world.timers.Advance(1);
    EXPECT_EQ(p.Status(), QStringLiteral("Cannot connect to network time server"));
}

TEST(NetworkTimePage, AServerPickedElsewhereShowsWithinASecondUnlessTheListHasTheFocus)
{
    NetworkPage p;
    StoreServerList(p.world.settings, { "a.example", "b.example", "c.example" });
    p.world.state.SetCurrentTimeServer("a.example");
    p.Open();
    ASSERT_EQ(p.Servers()->currentText(), QStringLiteral("a.example"));

    p.world.state.SetCurrentTimeServer("c.example"); // a random pick at a clock setting
    p.world.timers.Advance(1000);
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("c.example"));
    p.world.state.SetCurrentTimeServer("unlisted.example");
    p.world.timers.Advance(1000);
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("c.example"));

    p.sheet.setCurrentIndex(8);
    p.sheet.show();
    QApplication::setActiveWindow(&p.sheet);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.sheet));
    p.Servers()->setFocus();
    ASSERT_TRUE(p.Servers()->hasFocus());
    p.world.state.SetCurrentTimeServer("b.example");
    p.world.timers.Advance(1000);
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("c.example"));
    p.Port()->setEnabled(true);
    p.Port()->setFocus();
    p.world.timers.Advance(1000);
    EXPECT_EQ(p.Servers()->currentText(), QStringLiteral("b.example"));
    // Following the pick chose nothing: nothing was stored.
    EXPECT_EQ(p.StoredText(keys::kTimeServer), "<absent>");
}
