#include "gui/ui/CVelarinPropertyPage6.h"

#include "gui/ui/OkOnlyDialog.h"
#include "gui/ui/UiDrawing.h"

#include <QLabel>
#include <QPushButton>

namespace velarin {
namespace {

enum ControlId {
    kViewLicense = 1016,
};

} // namespace

CVelarinPropertyPage6::CVelarinPropertyPage6(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(context, kDialogId, QStringLiteral("License"), kHelpContext, parent)
{
}

void CVelarinPropertyPage6::OnInitDialog()
{
    QLabel* logo
        = OkOnlyDialog::MakePicture(QStringLiteral(":/images/logo.svg"), QSize(145, 184), this);
    logo->move(DluX(7), DluY(7));
    logo->show();
    QLabel* notice
        = OkOnlyDialog::MakePicture(QStringLiteral(":/images/notice.svg"), QSize(322, 73), this);
    notice->move(DluX(115), DluY(12));
    notice->show();

    auto* view = AddButton(
        kViewLicense, QStringLiteral("View License Agreement"), QRect(115, 70, 100, 14));
    connect(view, &QPushButton::clicked, this, &CVelarinPropertyPage6::OnHelp);
}

} // namespace velarin
