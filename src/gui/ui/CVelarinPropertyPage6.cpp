#include "gui/ui/CVelarinPropertyPage6.h"

namespace velarin {

CVelarinPropertyPage6::CVelarinPropertyPage6(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(context, kDialogId, QStringLiteral("License"), kHelpContext, parent)
{
}

void CVelarinPropertyPage6::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
