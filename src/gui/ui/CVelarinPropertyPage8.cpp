#include "gui/ui/CVelarinPropertyPage8.h"

namespace velarin {

CVelarinPropertyPage8::CVelarinPropertyPage8(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("System Configuration"), kHelpContext, parent)
{
}

void CVelarinPropertyPage8::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
