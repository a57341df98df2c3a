#include "gui/ui/CVelarinPropertySheet.h"

#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertyPage10.h"
#include "gui/ui/CVelarinPropertyPage2.h"
#include "gui/ui/CVelarinPropertyPage3.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/CVelarinPropertyPage5.h"
#include "gui/ui/CVelarinPropertyPage6.h"
#include "gui/ui/CVelarinPropertyPage7.h"
#include "gui/ui/CVelarinPropertyPage8.h"
#include "gui/ui/CVelarinPropertyPage9.h"
#include "gui/ui/PropertySheetHost.h"
#include "gui/ui/WrappingTabBar.h"
#include "platform/SettingsStore.h"

#include <QApplication>

#include <QKeyEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <algorithm>

namespace velarin {

CVelarinPropertySheet::CVelarinPropertySheet(PropertySheetContext& context, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , balloon_(std::make_unique<CBalloonTipWnd>(context.timers))
    , tabBar_(new WrappingTabBar(this))
    , page1_(new CVelarinPropertyPage1(context))
    , page2_(new CVelarinPropertyPage2(context))
    , page3_(new CVelarinPropertyPage3(context))
    , page4_(new CVelarinPropertyPage4(context))
    , page5_(new CVelarinPropertyPage5(context))
    , page6_(new CVelarinPropertyPage6(context))
    , page7_(new CVelarinPropertyPage7(context))
    , page8_(new CVelarinPropertyPage8(context))
    , page9_(new CVelarinPropertyPage9(context))
    , page10_(new CVelarinPropertyPage10(context))
{
    setObjectName(QStringLiteral("CVelarinPropertySheet"));
    setWindowTitle(QStringLiteral("Velarin Properties"));
    const std::initializer_list<CVelarinPropertyPage*> tabs { page9_, page1_, page2_, page3_,
        page4_, page5_, page6_, page10_, page7_, page8_ };
    for (CVelarinPropertyPage* page : tabs)
        AddPage(page);
    connect(tabBar_, &WrappingTabBar::currentChanged, this, &CVelarinPropertySheet::ShowPage);
    ShowPage(0);
    LayOut();
    resize(sizeHint());

    balloon_->Create(this);
    balloon_->enabled = context.settings.GetProfileInt(keys::kSettings, keys::kEnableBubbleTip, 1);
    qApp->installEventFilter(this);
}

CVelarinPropertySheet::~CVelarinPropertySheet()
{
    qApp->removeEventFilter(this);
    // The balloon is a child window of the sheet; it must go before the sheet's children do.
    balloon_.reset();
}

void CVelarinPropertySheet::AddPage(CVelarinPropertyPage* page)
{
    page->SetSheet(this);
    page->setParent(this);
    // Hidden until chosen: a page's first display is what brings it to life.
    page->hide();
    tabBar_->AddTab(page->Title());
    tabOrder_.push_back(page);
}

QString CVelarinPropertySheet::tabText(int tab) const
{
    return tabBar_->TabText(tab);
}

int CVelarinPropertySheet::currentIndex() const
{
    return tabBar_->CurrentIndex();
}

void CVelarinPropertySheet::setCurrentIndex(int tab)
{
    tabBar_->SetCurrentIndex(tab);
}

void CVelarinPropertySheet::ShowPage(int tab)
{
    for (int i = 0; i < PageCount(); ++i)
        if (i != tab)
            Page(i)->hide();
    if (CVelarinPropertyPage* page = Page(tab))
        page->show();
    emit currentChanged(tab);
}

QSize CVelarinPropertySheet::LargestPage() const
{
    QSize largest;
    for (const CVelarinPropertyPage* page : tabOrder_)
        largest = largest.expandedTo(page->size());
    return largest;
}

int CVelarinPropertySheet::FrameWidth() const
{
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
}

QRect CVelarinPropertySheet::PageArea() const
{
    const int frame = FrameWidth();
    return QRect(QPoint(frame, tabBar_->sizeHint().height() + frame), LargestPage());
}

QSize CVelarinPropertySheet::sizeHint() const
{
    const int frame = FrameWidth();
    const QRect area = PageArea();
    return QSize(area.right() + 1 + frame, area.bottom() + 1 + frame);
}

void CVelarinPropertySheet::LayOut()
{
    // The tabs wrap within the width of the largest page and its frame.
    tabBar_->SetRowWidth(LargestPage().width() + 2 * FrameWidth());
    tabBar_->setGeometry(QRect(QPoint(0, 0), tabBar_->sizeHint()));
    const QPoint origin = PageArea().topLeft();
    for (CVelarinPropertyPage* page : tabOrder_)
        page->move(origin);
}

void CVelarinPropertySheet::PageResized()
{
    LayOut();
    updateGeometry();
    resize(sizeHint());
}

void CVelarinPropertySheet::resizeEvent(QResizeEvent* event)
{
    LayOut();
    QWidget::resizeEvent(event);
}

void CVelarinPropertySheet::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = tabBar_->size();
    const int frame = FrameWidth();
    option.rect = PageArea().adjusted(-frame, -frame, frame, frame);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

void CVelarinPropertySheet::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Tab and Ctrl+Page Down go to the next page, with Shift or Page Up to the previous
    // one, from wherever the focus is in the sheet.
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    int step = 0;
    if (control && event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier))
        step = 1;
    else if (control && event->key() == Qt::Key_Backtab)
        step = -1;
    else if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_PageDown)
        step = 1;
    else if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_PageUp)
        step = -1;
    if (step == 0 || PageCount() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    setCurrentIndex((currentIndex() + step + PageCount()) % PageCount());
}

CVelarinPropertyPage* CVelarinPropertySheet::Page(int tab) const
{
    if (tab < 0 || tab >= PageCount())
        return nullptr;
    return tabOrder_[static_cast<size_t>(tab)];
}

int CVelarinPropertySheet::indexOf(const QWidget* page) const
{
    const auto found = std::find(tabOrder_.begin(), tabOrder_.end(), page);
    return found == tabOrder_.end() ? -1 : static_cast<int>(found - tabOrder_.begin());
}

void CVelarinPropertySheet::SetPCClockNow()
{
    context_.host.LoadCurrentTimeServer();
    context_.host.StartSetTimeThread();
}

bool CVelarinPropertySheet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget == this || isAncestorOf(widget) || widget == balloon_.get()
            || widget == window())
            balloon_->RelayEvent(watched, event);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velarin
