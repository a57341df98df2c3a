#include "gui/ui/CVelarinPropertyPage10.h"

namespace velarin {

CVelarinPropertyPage10::CVelarinPropertyPage10(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("IRIG Configuration"), kHelpContext, parent)
{
}

void CVelarinPropertyPage10::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
