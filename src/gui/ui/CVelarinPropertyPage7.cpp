#include "gui/ui/CVelarinPropertyPage7.h"

namespace velarin {

CVelarinPropertyPage7::CVelarinPropertyPage7(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(context, kDialogId, QStringLiteral("Network Time"), kHelpContext, parent)
{
}

void CVelarinPropertyPage7::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
