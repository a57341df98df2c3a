#include "engine/settings/MemorySettingsStore.h"
#include "gui/ui/FirstTimeConfigDlg.h"
#include "gui/ui/TrayBarDlg.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace velarin {
namespace {

template <typename T> T* Control(QWidget& dialog, const char* name)
{
    auto* control = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

TEST(FirstTimeConfigDlgTest, OnlyOkEndsItAndReadsTheChoice)
{
    int opened = 0;
    EXPECT_EQ(CFirstTimeConfigDlg().choice(), -1); // nothing chosen before the user chooses
    CFirstTimeConfigDlg dialog(nullptr, [&opened](int context) { opened = context; });
    EXPECT_TRUE(Control<QPlainTextEdit>(dialog, "ctl1050")->isReadOnly());
    QTest::mouseClick(Control<QPushButton>(dialog, "ctl1051"), Qt::LeftButton);
    EXPECT_EQ(opened, 131215);
    // A store that already says "network" opens the wizard with the network choice ticked.
    dialog.setChoice(1);
    EXPECT_TRUE(Control<QRadioButton>(dialog, "ctl1049")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(dialog, "ctl1048")->isChecked());

    dialog.setChoice(0);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(Control<QRadioButton>(dialog, "ctl1049"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(dialog, "ctl1"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), 1);
}

TEST(TrayBarDlgTest, BoxStartsTickedAndOkSwitchesTheNoticeOff)
{
    MemorySettingsStore store;
    CTrayBarDlg dialog(store, nullptr);
    EXPECT_TRUE(Control<QCheckBox>(dialog, "ctl1109")->isChecked());
    EXPECT_TRUE(Control<QPushButton>(dialog, "ctl2")->isHidden());

    QTimer::singleShot(0, &dialog, [&dialog] {
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
    EXPECT_FALSE(next.isVisible());

    // Unticked, OK writes nothing.
    MemorySettingsStore fresh;
    CTrayBarDlg unticked(fresh, nullptr);
    unticked.show();
    QTest::mouseClick(Control<QCheckBox>(unticked, "ctl1109"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(unticked, "ctl1"), Qt::LeftButton);
    EXPECT_EQ(unticked.result(), QDialog::Accepted);
    EXPECT_FALSE(fresh.Contains("Settings", "Do not Show Traybar Dialog"));
}

} // namespace
} // namespace velarin
