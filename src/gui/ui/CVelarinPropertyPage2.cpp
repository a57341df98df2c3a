#include "gui/ui/CVelarinPropertyPage2.h"

namespace velarin {

CVelarinPropertyPage2::CVelarinPropertyPage2(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("Update PC Clock"), kHelpContext, parent)
{
}

void CVelarinPropertyPage2::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
