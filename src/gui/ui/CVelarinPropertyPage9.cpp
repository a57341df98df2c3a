#include "gui/ui/CVelarinPropertyPage9.h"

namespace velarin {

CVelarinPropertyPage9::CVelarinPropertyPage9(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(context, kDialogId, QStringLiteral("Time"), kHelpContext, parent)
{
}

void CVelarinPropertyPage9::OnInitDialog()
{
    ShowTitleOnly();
}

} // namespace velarin
