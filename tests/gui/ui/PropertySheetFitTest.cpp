#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/CVelarinPropertyPage.h"
#include "gui/ui/PropertySheetFixture.h"
#include "gui/ui/WrappingTabBar.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

using namespace velarin;

namespace {

struct OpenFrame {
    velarin::testing::SheetWorld world;
    std::unique_ptr<CVelarinPropertyFrame> frame { CVelarinPropertyFrame::ShowProperties(
        nullptr, world.context, nullptr) };
    CVelarinPropertySheet& sheet = frame->Sheet();
};

// A window between the widget and the frame that cuts part of it off.
bool IsCut(const QWidget* widget, const QWidget* frame)
{
    for (const QWidget* outer = widget->parentWidget(); outer != frame->parentWidget();
         outer = outer->parentWidget())
        if (!outer->rect().contains(QRect(widget->mapTo(outer, QPoint(0, 0)), widget->size())))
            return true;
    return false;
}

} // namespace

TEST(PropertySheetFit, TitlesAreWholeAndNoControlOfAnyPageIsCutAndShowingStoresNothing)
{
    OpenFrame t;
    const WrappingTabBar& bar = t.sheet.TabBar();
    for (int i = 0; i < t.sheet.count(); ++i) {
        EXPECT_TRUE(bar.rect().contains(bar.TabRect(i))) << i;
        EXPECT_GE(bar.TabRect(i).width(), bar.fontMetrics().horizontalAdvance(t.sheet.tabText(i)));
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(bar.TabRect(i).intersects(bar.TabRect(j))) << i << " and " << j;
    }
    // Every page displayed, as a user opening each tab would; a page may grow the window.
    for (int i = 0; i < t.sheet.count(); ++i)
        t.sheet.setCurrentIndex(i);
    for (int i = 0; i < t.sheet.count(); ++i) {
        CVelarinPropertyPage* page = t.sheet.Page(i);
        EXPECT_FALSE(IsCut(page, t.frame.get())) << page->Title().toStdString();
        for (const QWidget* child : page->findChildren<QWidget*>()) {
            const std::string where = page->Title().toStdString() + ": "
                + child->metaObject()->className() + " " + child->objectName().toStdString();
            if (child->isVisibleTo(page)) {
                EXPECT_FALSE(IsCut(child, t.frame.get())) << where;
            }
            const auto* label = qobject_cast<const QLabel*>(child);
            if (label != nullptr && !label->wordWrap()) {
                EXPECT_LE(label->sizeHint().width(), label->width()) << where; // whole text
            }
        }
    }
    EXPECT_EQ(t.world.settings.WriteCount(), 0U);
}

TEST(PropertySheetFit, KeysAndClicksChooseTheTabs)
{
    OpenFrame t;
    QWidget* control = t.sheet.Page(0)->findChild<QAbstractButton*>();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    } steps[] = {
        { Qt::Key_Tab, Qt::ControlModifier, 1 }, { Qt::Key_PageDown, Qt::ControlModifier, 2 },
        { Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1 },
        { Qt::Key_PageUp, Qt::ControlModifier, 0 },
        { Qt::Key_PageUp, Qt::ControlModifier, 9 }, // round from the first to the last
    };
    for (const auto& step : steps) {
        QTest::keyClick(control, step.key, step.modifiers);
        EXPECT_EQ(t.sheet.currentIndex(), step.expected);
        EXPECT_TRUE(t.sheet.Page(step.expected)->isVisible());
        control = t.sheet.Page(step.expected);
    }
    // On the bar only the left button picks a tab, and arrows without a modifier step.
    WrappingTabBar& bar = t.sheet.TabBar();
    QTest::mouseClick(&bar, Qt::RightButton, Qt::NoModifier, bar.TabRect(7).center());
    QTest::keyClick(&bar, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(t.sheet.currentIndex(), 9);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.TabRect(7).center());
    EXPECT_EQ(t.sheet.currentIndex(), 7);
    EXPECT_EQ(bar.TabRect(7).bottom(), bar.height() - 1); // its row moved next to the page
    for (Qt::Key key : { Qt::Key_Right, Qt::Key_Right, Qt::Key_Left })
        QTest::keyClick(&bar, key);
    EXPECT_EQ(t.sheet.currentIndex(), 8);
    EXPECT_FALSE(t.sheet.Page(7)->isVisible());
    const int narrow = bar.TabRect(0).width(); // a larger font lays the titles out again
    bar.setFont(QFont(bar.font().family(), bar.font().pointSize() * 2));
    EXPECT_GT(bar.TabRect(0).width(), narrow);
}
