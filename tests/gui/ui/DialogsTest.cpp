// The first-run dialogs and the server list manager.
#include "engine/settings/MemorySettingsStore.h"
#include "gui/ui/CServerListDlg.h"
#include "gui/ui/FirstTimeConfigDlg.h"
#include "gui/ui/TrayBarDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velarin;

namespace {

template <typename T> T* Control(QWidget& dialog, const char* name)
{
    auto* control = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

constexpr const char* kMaximumText
    = "Maximum number of servers has been reached. Remove a server before adding a new server.";
constexpr const char* kDuplicateText
    = "This new time server exists in the list. Would you like to add it?";

// The dialog on screen and active, with its message boxes recorded and answered.
struct OpenDialog {
    explicit OpenDialog(const std::vector<std::string>& servers)
    {
        dialog.serverCount = static_cast<int>(servers.size());
        for (size_t i = 0; i < servers.size(); ++i)
            dialog.servers[i] = servers[i];
        dialog.showStop = [this](const QString& text) { messages.push_back(text); };
        dialog.askYesNo = [this](const QString& text) {
            messages.push_back(text);
            return false; // "No"
        };
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    QLineEdit* Edit() { return qobject_cast<QLineEdit*>(dialog.Control(1077)); }
    QPushButton* Button(int id) { return qobject_cast<QPushButton*>(dialog.Control(id)); }
    QListWidget* List() { return qobject_cast<QListWidget*>(dialog.Control(1036)); }
    std::vector<std::string> Shown()
    {
        std::vector<std::string> names;
        for (int i = 0; i < List()->count(); ++i)
            names.push_back(List()->item(i)->text().toStdString());
        return names;
    }
    void Type(const QString& text)
    {
        Edit()->setFocus();
        Edit()->setText(text);
    }

    CServerListDlg dialog;
    std::vector<QString> messages;
};

using Names = std::vector<std::string>;

} // namespace

TEST(FirstTimeConfigDlgTest, OnlyOkEndsItAndReadsTheChoice)
{
    int opened = 0;
    EXPECT_EQ(CFirstTimeConfigDlg().choice(), -1); // nothing chosen before the user chooses
    CFirstTimeConfigDlg dialog(nullptr, [&opened](int context) { opened = context; });
    QTest::mouseClick(Control<QPushButton>(dialog, "ctl1051"), Qt::LeftButton);
    EXPECT_EQ(opened, 131215);
    // A store that already says "network" opens the wizard with the network choice ticked.
    dialog.setChoice(1);
    EXPECT_TRUE(Control<QRadioButton>(dialog, "ctl1049")->isChecked());

    dialog.setChoice(0);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(Control<QRadioButton>(dialog, "ctl1049"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(dialog, "ctl1"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), 1);
}

TEST(TrayBarDlgTest, BoxStartsUntickedAndTickedOkSwitchesTheNoticeOff)
{
    MemorySettingsStore store;
    CTrayBarDlg dialog(store, nullptr);
    auto* box = Control<QCheckBox>(dialog, "ctl1109");
    EXPECT_FALSE(box->isChecked());

    QTimer::singleShot(0, &dialog, [&dialog, box] {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.close());
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.findChild<QPushButton*>("ctl1"), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(store.GetProfileInt("Settings", "Do not Show Traybar Dialog", 0), 1);
    // Switched off: the next start shows nothing and reports the cancel result.
    CTrayBarDlg next(store, nullptr);
    EXPECT_EQ(next.DoModal(), 2);
}

TEST(ServerListDlg, EnterAddsWhileTheAddressBoxHasTheFocusAndOkReturnsTheSortedList)
{
    OpenDialog d({ "time-b.example", "Alpha.example" });
    EXPECT_EQ(d.Shown(), (Names { "Alpha.example", "time-b.example" }));
    // The address box, first in the tab order, has the focus: "Add" is the default button.
    EXPECT_TRUE(d.Edit()->hasFocus());
    EXPECT_TRUE(d.Button(1074)->isDefault());
    // Empty box: "Add" is disabled and Enter does nothing (it does not leave with OK either).
    EXPECT_FALSE(d.Button(1074)->isEnabled());
    QTest::keyClick(d.Edit(), Qt::Key_Return);
    EXPECT_TRUE(d.dialog.isVisible());

    QTest::keyClicks(d.Edit(), QStringLiteral("a.example"));
    QTest::keyClick(d.Edit(), Qt::Key_Return);
    EXPECT_EQ(d.Shown(), (Names { "a.example", "Alpha.example", "time-b.example" }));
    EXPECT_TRUE(d.Edit()->text().isEmpty());
    // Elsewhere, Enter means OK again.
    d.List()->setFocus();
    EXPECT_TRUE(d.Button(1)->isDefault());

    d.Type(QStringLiteral("m.example"));
    d.Button(1074)->click();
    d.Button(1)->click();
    EXPECT_EQ(Names(d.dialog.servers.begin(), d.dialog.servers.begin() + d.dialog.serverCount),
        (Names { "a.example", "Alpha.example", "m.example", "time-b.example" }));
    EXPECT_TRUE(d.messages.empty());
}

// A beginning or other case of a listed name asks first; twenty-five servers stop every add;
// removing all returns an empty list.
TEST(ServerListDlg, DuplicatesAskAFullListRefusesAndRemovingAllLeavesNone)
{
    OpenDialog d({ "time-a-g.nist.gov" });
    d.Type(QStringLiteral("time-a"));
    d.Button(1074)->click();
    EXPECT_EQ(d.messages, std::vector<QString> { QString::fromLatin1(kDuplicateText) });
    EXPECT_EQ(d.Shown(), (Names { "time-a-g.nist.gov" })); // "No": nothing changes
    d.Button(1075)->click();
    d.Button(1075)->click(); // nothing left, nothing selected
    d.Button(1)->click();
    EXPECT_EQ(d.dialog.serverCount, 0);

    Names full;
    for (int i = 0; i < 25; ++i)
        full.push_back("server" + std::to_string(10 + i) + ".example");
    OpenDialog f(full);
    f.Type(QStringLiteral("new.example"));
    f.Button(1074)->click();
    EXPECT_EQ(f.messages, std::vector<QString> { QString::fromLatin1(kMaximumText) });
}
