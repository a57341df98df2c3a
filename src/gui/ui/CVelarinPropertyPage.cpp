#include "gui/ui/CVelarinPropertyPage.h"

#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetHost.h"
#include "gui/ui/UiDrawing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velarin {

CVelarinPropertyPage::CVelarinPropertyPage(PropertySheetContext& context, int dialogId,
    const QString& title, int helpContext, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , dialogId_(dialogId)
    , title_(title)
    , helpContext_(helpContext)
{
    setObjectName(QString::number(dialogId));
    setFixedSize(DluX(350), DluY(130));
}

CVelarinPropertyPage::~CVelarinPropertyPage() = default;

void CVelarinPropertyPage::showEvent(QShowEvent* event)
{
    EnsureInitialised();
    QWidget::showEvent(event);
}

void CVelarinPropertyPage::EnsureInitialised()
{
    if (initialised_)
        return;
    initialised_ = true;
    OnInitDialog();
    // A control that reaches past the template (a longer text, an option added later) widens
    // the page rather than being cut off, and the sheet grows with it.
    const QRect controls = childrenRect();
    const QSize needed = size().expandedTo(QSize(controls.right() + 1, controls.bottom() + 1));
    if (needed != size()) {
        setFixedSize(needed);
        if (sheet_ != nullptr)
            sheet_->PageResized();
    }
}

void CVelarinPropertyPage::SetTimer(int periodMilliseconds)
{
    if (!timer_)
        timer_ = context_.timers.CreateTimer([this] { OnTimer(); });
    timer_->Start(periodMilliseconds);
}

void CVelarinPropertyPage::AddTool(QWidget* control, const QString& text)
{
    if (sheet_ != nullptr)
        sheet_->Balloon().AddTool(control, text);
}

void CVelarinPropertyPage::OnHelp()
{
    context_.host.ShowHelp(helpContext_);
}

QWidget* CVelarinPropertyPage::Control(int id) const
{
    return findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void CVelarinPropertyPage::Place(QWidget* control, int id, const QRect& dlu)
{
    control->setParent(this);
    if (id != 0)
        control->setObjectName(QString::number(id));
    control->setGeometry(DluRect(dlu.x(), dlu.y(), dlu.width(), dlu.height()));
    control->show();
}

QLabel* CVelarinPropertyPage::AddLabel(const QString& text, const QRect& dlu)
{
    return Add<QLabel>(0, text, dlu);
}

QLineEdit* CVelarinPropertyPage::AddReadOnlyEdit(int id, const QRect& dlu)
{
    auto* edit = new QLineEdit(this);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    Place(edit, id, dlu);
    return edit;
}

QPushButton* CVelarinPropertyPage::AddButton(int id, const QString& text, const QRect& dlu)
{
    auto* button = Add<QPushButton>(id, text, dlu);
    button->setAutoDefault(false);
    return button;
}

} // namespace velarin
