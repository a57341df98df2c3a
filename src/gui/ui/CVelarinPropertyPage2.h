#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "Update PC Clock" (template 105): How often and from which sentence the PC clock is set.
class CVelarinPropertyPage2 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 105;
    static constexpr int kHelpContext = 131177;

    explicit CVelarinPropertyPage2(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin
