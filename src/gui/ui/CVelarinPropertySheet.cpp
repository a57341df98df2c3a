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
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QTabBar>

namespace velarin {

CVelarinPropertySheet::CVelarinPropertySheet(PropertySheetContext& context, QWidget* parent)
    : QTabWidget(parent)
    , context_(context)
    , balloon_(std::make_unique<CBalloonTipWnd>(context.timers))
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
    // Ten tabs do not fit in one row of the page's width; the bar scrolls instead of squeezing
    // the titles.
    tabBar()->setUsesScrollButtons(true);
    tabBar()->setElideMode(Qt::ElideNone);
    const std::initializer_list<CVelarinPropertyPage*> tabs { page9_, page1_, page2_, page3_,
        page4_, page5_, page6_, page10_, page7_, page8_ };
    for (CVelarinPropertyPage* page : tabs)
        AddPage(page);
    setCurrentIndex(0);

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
    addTab(page, page->Title());
    tabOrder_.push_back(page);
}

CVelarinPropertyPage* CVelarinPropertySheet::Page(int tab) const
{
    if (tab < 0 || tab >= PageCount())
        return nullptr;
    return tabOrder_[static_cast<size_t>(tab)];
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
    return QTabWidget::eventFilter(watched, event);
}

} // namespace velarin
