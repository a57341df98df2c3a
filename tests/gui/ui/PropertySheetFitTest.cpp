#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/CVelarinPropertyPage.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"
#include "gui/ui/WrappingTabBar.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include <memory>

using namespace velarin;
using velarin::testing::SheetWorld;

namespace {

struct OpenFrame {
    SheetWorld world;
    std::unique_ptr<CVelarinPropertyFrame> frame { CVelarinPropertyFrame::ShowProperties(
        nullptr, world.context, nullptr) };
    CVelarinPropertySheet& sheet = frame->Sheet();
};

QString Describe(const QWidget* widget)
{
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName(), text);
}

// The first window between a widget and the top one that cuts off part of it, or null.
const QWidget* CutBy(const QWidget* widget, const QWidget* top)
{
    for (const QWidget* outer = widget->parentWidget(); outer != nullptr;
         outer = outer->parentWidget()) {
        if (!outer->rect().contains(QRect(widget->mapTo(outer, QPoint(0, 0)), widget->size())))
            return outer;
        if (outer == top)
            break;
    }
    return nullptr;
}

} // namespace

TEST(PropertySheetFit, EveryTitleIsWholeAndEveryControlOfEveryPageIsInsideTheWindow)
{
    OpenFrame t;
    const WrappingTabBar& bar = t.sheet.TabBar();
    for (int i = 0; i < t.sheet.count(); ++i) {
        const QRect tab = bar.TabRect(i);
        EXPECT_TRUE(bar.rect().contains(tab)) << i;
        EXPECT_GE(tab.width(), bar.fontMetrics().horizontalAdvance(t.sheet.tabText(i))) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(tab.intersects(bar.TabRect(j))) << i << " overlaps " << j;
    }
    // Each page displayed in turn, as a user opening every tab would; a page may only grow.
    for (int i = 0; i < t.sheet.count(); ++i)
        t.sheet.setCurrentIndex(i);
    for (int i = 0; i < t.sheet.count(); ++i) {
        CVelarinPropertyPage* page = t.sheet.Page(i);
        EXPECT_EQ(CutBy(page, t.frame.get()), nullptr) << page->Title().toStdString();
        for (const QWidget* child : page->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(page) || child->isWindow())
                continue;
            const std::string where
                = page->Title().toStdString() + ": " + Describe(child).toStdString();
            EXPECT_EQ(CutBy(child, t.frame.get()), nullptr) << where;
            // A one-line label shows its whole text.
            const auto* label = qobject_cast<const QLabel*>(child);
            if (label != nullptr && !label->wordWrap()) {
                EXPECT_LE(label->sizeHint().width(), label->width()) << where;
            }
        }
    }
}

TEST(PropertySheetFit, KeysAndClicksChooseTheTabs)
{
    OpenFrame t;
    QWidget* control = t.sheet.Page(0)->findChild<QAbstractButton*>();
    ASSERT_NE(control, nullptr);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    } steps[] = {
        { Qt::Key_Tab, Qt::ControlModifier, 1 },
        { Qt::Key_PageDown, Qt::ControlModifier, 2 },
        { Qt::Key_PageUp, Qt::ControlModifier, 1 },
        { Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0 },
        { Qt::Key_PageUp, Qt::ControlModifier, 9 }, // round from the first to the last
        { Qt::Key_Tab, Qt::ControlModifier, 0 },
    };
    for (const auto& step : steps) {
        QTest::keyClick(control, step.key, step.modifiers);
        EXPECT_EQ(t.sheet.currentIndex(), step.expected);
        EXPECT_TRUE(t.sheet.Page(step.expected)->isVisible());
        control = t.sheet.Page(step.expected);
    }
    WrappingTabBar& bar = t.sheet.TabBar();
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.TabRect(7).center());
    EXPECT_EQ(t.sheet.currentIndex(), 7);
    // The chosen tab's row moved next to the page; a click goes to the tab now under it.
    EXPECT_EQ(bar.TabRect(7).bottom(), bar.height() - 1);
    QTest::keyClick(&bar, Qt::Key_Right);
    EXPECT_EQ(t.sheet.currentIndex(), 8);
    EXPECT_FALSE(t.sheet.Page(7)->isVisible());
}

TEST(PropertySheetFit, OpeningEveryPageChangesNoSettingAndShowsTheDefaultsInForce)
{
    OpenFrame t;
    for (int i = 0; i < t.sheet.count(); ++i)
        t.sheet.setCurrentIndex(i);
    EXPECT_EQ(t.world.settings.WriteCount(), 0U);
    // The fix-up delay the clock setting uses while nothing is stored.
    EXPECT_EQ(velarin::testing::TextOf(t.sheet.Page(4)->Control(1053)), QStringLiteral("50"));
}
