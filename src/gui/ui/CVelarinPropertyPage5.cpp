#include "gui/ui/CVelarinPropertyPage5.h"

namespace velarin {

CVelarinPropertyPage5::CVelarinPropertyPage5(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("About Velarin"), kHelpContext, parent)
{
}

void CVelarinPropertyPage5::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
