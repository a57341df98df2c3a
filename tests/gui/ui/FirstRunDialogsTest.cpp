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

TEST(FirstTimeConfigDlgTest, TextsAndPresetChoice)
{
    CFirstTimeConfigDlg dialog;
    EXPECT_EQ(dialog.choice(), -1);
    EXPECT_EQ(dialog.windowTitle(), "Velarin Configuration");
    EXPECT_EQ(Control<QRadioButton>(dialog, "ctl1048")->text(), "Synchronize to GPS");
    EXPECT_EQ(
        Control<QRadioButton>(dialog, "ctl1049")->text(), "Synchronize to a network time server");
    EXPECT_TRUE(Control<QPlainTextEdit>(dialog, "ctl1050")->isReadOnly());
    EXPECT_TRUE(Control<QPlainTextEdit>(dialog, "ctl1050")
                    ->toPlainText()
                    .startsWith("Welcome to the Velarin configuration. Velarin has the ability"));
    EXPECT_TRUE(Control<QPlainTextEdit>(dialog, "ctl1050")
                    ->toPlainText()
                    .endsWith("Please select the synchronization option:"));
    EXPECT_EQ(Control<QPushButton>(dialog, "ctl1051")->text(), "Help...");

    // A store that already says "network" opens the wizard with the network choice ticked.
    dialog.setChoice(1);
    EXPECT_TRUE(Control<QRadioButton>(dialog, "ctl1049")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(dialog, "ctl1048")->isChecked());
}

TEST(FirstTimeConfigDlgTest, OnlyOkEndsItAndReadsTheChoice)
{
    CFirstTimeConfigDlg dialog;
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

TEST(FirstTimeConfigDlgTest, HelpOpensItsContext)
{
    int opened = 0;
    CFirstTimeConfigDlg dialog(nullptr, [&opened](int context) { opened = context; });
    QTest::mouseClick(Control<QPushButton>(dialog, "ctl1051"), Qt::LeftButton);
    EXPECT_EQ(opened, 131215);
}

TEST(TrayBarDlgTest, BoxStartsUntickedAndTickedOkSwitchesTheNoticeOff)
{
    MemorySettingsStore store;
    CTrayBarDlg dialog(store, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Velarin");
    auto* box = Control<QCheckBox>(dialog, "ctl1109");
    EXPECT_EQ(box->text(), "Don't show this dialog in the future");
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(Control<QPushButton>(dialog, "ctl2")->isHidden());

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
    EXPECT_FALSE(next.isVisible());
}

TEST(TrayBarDlgTest, UntickedOkWritesNothing)
{
    MemorySettingsStore store;
    CTrayBarDlg dialog(store, nullptr);
    dialog.show();
    QTest::mouseClick(Control<QPushButton>(dialog, "ctl1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(store.Contains("Settings", "Do not Show Traybar Dialog"));
}

} // namespace
} // namespace velarin
