#include "gui/ui/CVelarinPropertyPage4.h"

namespace velarin {

CVelarinPropertyPage4::CVelarinPropertyPage4(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("GPS Configuration"), kHelpContext, parent)
{
}

void CVelarinPropertyPage4::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
